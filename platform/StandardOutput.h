#pragma once

// Platform service: bytes to the standard output.

#include <string_view>

namespace kiv::platform {

// Writes bytes to the standard output unchanged (no line-end translation on Windows): write on
// Linux, WriteFile on Windows. Throws std::system_error naming the failed call.
void WriteStandardOutput(std::string_view bytes);

} // namespace kiv::platform
