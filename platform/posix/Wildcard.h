#pragma once

// POSIX implementation internals: file-name wildcard matching.

#include <string_view>

namespace kiv::platform {

// True when name matches pattern as the system's file search matches names: "*" any run of
// characters, "?" one UTF-8 character, everything else itself (case-sensitively on this system).
bool MatchesWildcard(std::string_view name, std::string_view pattern);

} // namespace kiv::platform
