#include "core/ClassNames.h"

#include "core/Exceptions.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace kiv {

std::string BareClassName(const std::type_info& AType) {
  int status = 0;
  const std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(AType.name(), nullptr, nullptr, &status), std::free);
  std::string name = status == 0 ? demangled.get() : AType.name();
  const auto lastScope = name.rfind("::");
  return lastScope == std::string::npos ? name : name.substr(lastScope + 2);
}

std::string ExceptionClassName(const std::exception& E) {
  if (const auto* own = dynamic_cast<const Exception*>(&E))
    return std::string(own->ClassName());
  return BareClassName(typeid(E));
}

} // namespace kiv
