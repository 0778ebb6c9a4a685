#pragma once

// POSIX implementation internals: std::system_error from errno, naming the call.

#include <cerrno>
#include <string>
#include <system_error>

namespace kiv::platform {

// The failure of call, with the reason that errno holds.
inline std::system_error ErrnoError(const std::string& call) {
  return std::system_error(errno, std::generic_category(), call);
}

// The failure of call on path, with the reason that errno holds.
inline std::system_error ErrnoError(const char* call, const std::string& path) {
  return ErrnoError(std::string(call) + " " + path);
}

} // namespace kiv::platform
