#pragma once

#include <exception>
#include <string>

namespace kiv {

// The bare class name of a failure: ClassName() for the suite's own family, else the run-time
// type's name without namespaces ("out_of_range" for std::out_of_range).
std::string ExceptionClassName(const std::exception& E);

} // namespace kiv
