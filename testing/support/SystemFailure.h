#pragma once

#include <algorithm>
#include <string>
#include <string_view>
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

// The name of the call that fails where the POSIX implementation's call is posixCall: on Windows
// the Win32 call that does the same step, elsewhere posixCall itself.
inline std::string SystemCallName(std::string_view posixCall) {
#ifdef _WIN32
  constexpr std::pair<std::string_view, std::string_view> kWin32Calls[] = {
      {"open", "CreateFileW"},
      {"read", "ReadFile"},
      {"write", "WriteFile"},
      {"fsync", "FlushFileBuffers"},
      {"close", "CloseHandle"},
      {"rename", "MoveFileExW"},
      {"fstat", "GetFileType"},
      {"opendir", "FindFirstFileExW"},
      {"readdir", "FindNextFileW"},
      {"access", "CreateFileW"},
      {"posix_spawn", "CreateProcessW"},
  };
  for (const auto& [posix, win32] : kWin32Calls)
    if (posix == posixCall)
      return std::string(win32);
#endif
  return std::string(posixCall);
}

// The expected outcome of SystemFailure: the failed call with its path, then the system's reason.
// call is written as on POSIX systems ("open /path"); SystemCallName gives its name elsewhere.
inline std::pair<std::error_code, std::string> ExpectedSystemFailure(std::errc error,
                                                                     const std::string& call) {
  const std::error_code code = std::make_error_code(error);
  const size_t nameEnd = std::min(call.find(' '), call.size());
  return {code, SystemCallName(std::string_view(call).substr(0, nameEnd)) + call.substr(nameEnd) +
                    ": " + code.message()};
}

} // namespace kiv::test
