#pragma once

#include <string>

namespace kiv::platform {

// Asks the desktop to open target (a file, folder or address) with its default program, never
// through a command interpreter. On Windows ShellExecuteW with the "open" verb, parameters, no
// working folder and a normal window; true when it reports success (a result above 32). On Linux
// xdg-open, found on PATH and started with posix_spawnp with target as its one argument
// (xdg-open takes no parameters, so parameters are not passed); true when it exits with 0.
bool OpenWithShell(const std::string& target, const std::string& parameters = {});

} // namespace kiv::platform
