#pragma once

// POSIX implementation internals: writing all bytes to a descriptor.

#include <string>
#include <string_view>

namespace kiv::platform {

// Writes all of bytes to the open descriptor, going on after an interruption or a write that
// took only part of them. Throws std::system_error naming "write" and target.
void WriteAll(int descriptor, const std::string& target, std::string_view bytes);

} // namespace kiv::platform
