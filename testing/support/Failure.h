#pragma once

#include "core/Exceptions.h"

#include <exception>
#include <string>
#include <utility>

namespace kiv::test {

// What f raised: the class name and the message of one of the family's exceptions, "foreign"
// and the text of any other std::exception, or "nothing".
template <class F> std::pair<std::string, std::string> Failure(F&& f) {
  try {
    f();
  } catch (const Exception& e) {
    return {std::string(e.ClassName()), e.Message()};
  } catch (const std::exception& e) {
    return {"foreign", e.what()};
  }
  return {"nothing", ""};
}

// The expected outcome of Failure.
inline std::pair<std::string, std::string> Expected(const char* className, std::string message) {
  return {className, std::move(message)};
}

} // namespace kiv::test
