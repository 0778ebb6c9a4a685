#pragma once

// kivmod's command line: model files for scripts and spreadsheets, their facts (info), a check as
// the run or a full read makes it (check), conversion between the styles (convert), the values as
// CSV or JSON (export), and the differences of two files (diff).

#include <string>
#include <vector>

namespace kiv {

// Runs kivmod on the words after its name; returns 0, or 1 when a file could not be read or diff
// found differences. Throws UsageError for a mistake of the command line, and the failures of the
// work (RunTool tells them).
int RunKivmod(const std::vector<std::string>& arguments);

} // namespace kiv
