#pragma once

// Platform service: the running process's executable and arguments.

#include <string>
#include <vector>

namespace kiv::platform {

// Full path of the running executable. Throws std::system_error when the system cannot tell.
std::string ExecutablePath();

// The arguments the process was started with, without the program's name, in UTF-8. argc and
// argv are main's; on Windows, where they hold the ANSI code page, the arguments come from the
// wide-character command line instead. Throws std::system_error when the system cannot tell.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

} // namespace kiv::platform
