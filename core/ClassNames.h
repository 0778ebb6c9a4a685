#pragma once

// Bare class names of types and failures, as logs and message boxes show them.

#include <exception>
#include <string>
#include <typeinfo>

namespace kiv {

// The class name of a type without namespace: "system_error" for std::system_error.
std::string BareClassName(const std::type_info& AType);

// The bare class name of a failure: ClassName() for the suite's own family, else the run-time
// type's bare name ("out_of_range" for std::out_of_range).
std::string ExceptionClassName(const std::exception& E);

} // namespace kiv
