#pragma once

// kivinfo's command line: the computer summary that support mails carry, or the same facts as
// JSON for scripts.

#include "framework/base/Information.h"

#include <string>
#include <vector>

namespace kiv {

// The facts as the JSON object of --json, one member a line, with a line end after it.
std::string ComputerFactsJson(const TComputerFacts& facts);

// Runs kivinfo on the words after its name; returns 0 once the summary is printed. Throws
// UsageError for an unknown switch, and the failures of the facts (RunTool tells them).
int RunKivinfo(const std::vector<std::string>& arguments);

} // namespace kiv
