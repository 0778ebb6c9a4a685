#pragma once

// Platform service: opening a file or address with the desktop's default program.

#include <string>

namespace kiv::platform {

// Asks the desktop to open target (a file, folder or address) with its default program, never
// through a command interpreter. On Windows ShellExecuteW with the "open" verb, no parameters, no
// working folder and a normal window; true when it reports success (a result above 32). On Linux
// xdg-open, found on PATH and started with posix_spawnp with target as its one argument; true
// when it exits with 0.
bool OpenWithShell(const std::string& target);

// Starts target as a double click would, with parameters (the text of a Windows command line
// after the program's name), never through a command interpreter, without waiting for it. On
// Windows ShellExecuteW with the default verb, the parameters, no working folder and a normal
// window; true when it reports success (a result above 32). On Linux a regular file that the user
// may execute is started directly, the parameters split as a Windows program splits them
// (WindowsParameters.h); true when it started. Anything else is opened as OpenWithShell does,
// which cannot pass parameters: given any, the document is opened without them and the result is
// false, so that the caller learns they were lost.
bool StartWithShell(const std::string& target, const std::string& parameters);

} // namespace kiv::platform
