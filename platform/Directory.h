#pragma once

// Platform service: the files of a folder that match a wildcard pattern.

#include <string>
#include <string_view>
#include <vector>

namespace kiv::platform {

// The names, without folder, of the regular files in folder (links followed) that match pattern,
// in the order the system lists them; sub-folders are not searched. In pattern "*" stands for any
// run of characters and "?" for exactly one; every other character stands for itself. Linux
// compares case-sensitively; on Windows the system's file search matches without regard to case.
// A trailing separator on folder is allowed. A folder that does not exist or may not be read gives
// an empty list; any other failure throws std::system_error naming the failed call.
std::vector<std::string> ListMatchingFiles(const std::string& folder, std::string_view pattern);

} // namespace kiv::platform
