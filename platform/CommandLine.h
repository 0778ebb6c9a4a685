#pragma once

// Platform service: the running program's command line.

#include <string>
#include <vector>

namespace kiv::platform {

// The running program's command-line arguments, the program itself first: CommandLineToArgvW of
// GetCommandLineW on Windows, /proc/self/cmdline on Linux. Throws std::system_error when they
// cannot be read.
std::vector<std::string> CommandLineArguments();

} // namespace kiv::platform
