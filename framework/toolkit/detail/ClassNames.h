#pragma once

#include <string>
#include <typeinfo>

namespace kiv::toolkit {

// The class name of a type without namespace: "system_error" for std::system_error.
std::string BareClassName(const std::type_info& AType);

} // namespace kiv::toolkit
