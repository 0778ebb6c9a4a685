#include "core/ExceptionClassName.h"

#include "core/Exceptions.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace kiv {

std::string ExceptionClassName(const std::exception& E) {
  if (const auto* own = dynamic_cast<const Exception*>(&E))
    return std::string(own->ClassName());
  const char* mangled = typeid(E).name();
  int status = 0;
  const std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string name = status == 0 ? demangled.get() : mangled;
  const auto lastScope = name.rfind("::");
  return lastScope == std::string::npos ? name : name.substr(lastScope + 2);
}

} // namespace kiv
