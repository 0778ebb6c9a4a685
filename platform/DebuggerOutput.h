#pragma once

// Platform service: text for a watching debugger.

#include <string_view>

namespace kiv::platform {

// Hands a text to the debugger watching the program: OutputDebugStringW on Windows; on Linux,
// where no such channel exists, a line on the standard error stream. Never fails.
void WriteDebuggerOutput(std::string_view text) noexcept;

} // namespace kiv::platform
