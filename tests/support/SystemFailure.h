#pragma once

#include <string>
#include <system_error>
#include <utility>

namespace kiv::test {

// What f raised as std::system_error: its code and its text; an empty code and text when it
// raised nothing.
template <class F> std::pair<std::error_code, std::string> SystemFailure(F&& f) {
  try {
    f();
  } catch (const std::system_error& e) {
    return {e.code(), e.what()};
  }
  return {};
}

// The expected outcome of SystemFailure: the failed call with its path, then the system's reason.
inline std::pair<std::error_code, std::string> ExpectedSystemFailure(std::errc error,
                                                                     const std::string& call) {
  const std::error_code code = std::make_error_code(error);
  return {code, call + ": " + code.message()};
}

} // namespace kiv::test
