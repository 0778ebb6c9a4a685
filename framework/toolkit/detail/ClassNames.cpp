#include "framework/toolkit/detail/ClassNames.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace kiv::toolkit {

std::string BareClassName(const std::type_info& AType) {
  int status = 0;
  const std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(AType.name(), nullptr, nullptr, &status), std::free);
  std::string name = status == 0 ? demangled.get() : AType.name();
  const auto lastScope = name.rfind("::");
  return lastScope == std::string::npos ? name : name.substr(lastScope + 2);
}

} // namespace kiv::toolkit
