#pragma once

// POSIX implementation internals: reading small system files such as /proc's.

#include <optional>
#include <string>

namespace kiv::platform {

// The whole content of a small system file such as /proc/self/mountinfo, read through the seam;
// nullopt when it cannot be opened or read.
std::optional<std::string> ReadSystemFile(const std::string& path);

} // namespace kiv::platform
