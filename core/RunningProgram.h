#pragma once

// The running program's path and name, for what merely names the program.

#include <string>

namespace kiv {

// The running program's full path; empty where the system cannot tell (without /proc, say), so
// that what merely names the program never fails for it.
std::string RunningProgramPath();

} // namespace kiv
