#pragma once

// kivreg's command line: the settings store with the commands, switches, texts and exit codes of
// Windows' reg.exe, so that scripts written for the registry run unchanged.

#include <string>
#include <vector>

namespace kiv {

// Runs kivreg on the words after its name and returns reg.exe's exit code: 0, or 1 after
// "ERROR: ..." on the standard error for any failure, a mistake of the command line too. Throws
// nothing of its own.
int RunKivreg(const std::vector<std::string>& arguments);

} // namespace kiv
