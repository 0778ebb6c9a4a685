#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kiv::platform {

// The names, without folder, of the regular files in folder (links followed) whose names end
// with suffix, in the order the system lists them; sub-folders are not searched. A trailing
// separator on folder is allowed. On Linux names compare case-sensitively. A folder that does not
// exist gives an empty list; any other failure throws std::system_error naming the failed call.
std::vector<std::string> ListFilesEndingWith(const std::string& folder, std::string_view suffix);

} // namespace kiv::platform
