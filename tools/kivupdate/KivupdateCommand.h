#pragma once

// kivupdate's command line: fetches one kind of software update from the update server into a
// folder, with the same files, checks and messages as the desktop programs' update download.

#include "update/UpdateSettings.h"

#include <string>
#include <vector>

namespace kiv {

// Runs kivupdate on the words after its name; returns 0 once the files are in place. Throws
// UsageError for a mistake of the command line, and the download's failures (RunTool tells them).
int RunKivupdate(const std::vector<std::string>& arguments);

// The same with the settings that the options start from (the build's, in RunKivupdate above).
int RunKivupdateWith(const std::vector<std::string>& arguments, const UpdateSettings& defaults);

} // namespace kiv
