#pragma once

#include <cerrno>
#include <string>
#include <system_error>

namespace kiv::platform {

// The failure of call on path, with the reason that errno holds.
inline std::system_error ErrnoError(const char* call, const std::string& path) {
  return std::system_error(errno, std::generic_category(), std::string(call) + " " + path);
}

} // namespace kiv::platform
