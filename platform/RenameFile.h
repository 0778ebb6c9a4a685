#pragma once

// Platform service: moving a file over another.

#include <string>

namespace kiv::platform {

// Moves the file from to the name to, replacing a file there: MoveFileExW, rename. False on
// failure, such as a missing from.
bool RenameFile(const std::string& from, const std::string& to);

} // namespace kiv::platform
