#pragma once

// What kivview does when it starts, once the framework is up: the log, the main window, and the
// file named on the command line.

#include "viewer/ViewerForm.h"

#include <string>
#include <vector>

namespace kiv::viewer {

// Starts the diagnostic log in ALogFile (empty: the framework's place beside the executable),
// makes the main window (owned by the application, listed in the form list), shows it and opens
// the first argument after the program's name, when there is one.
TKivViewForm& StartViewer(TApplication& AApplication, const std::vector<std::string>& AArguments,
                          const std::string& ALogFile);

} // namespace kiv::viewer
