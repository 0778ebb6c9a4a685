#pragma once

#include <optional>
#include <string>

namespace kiv::platform {

// The long form of an existing path: GetLongPathNameW (at most 511 characters) on Windows. Linux
// names have no short forms, so an existing path (links not followed) is its own long form.
// nullopt when the path does not exist or the system cannot tell.
std::optional<std::string> LongPathName(const std::string& path);

// The short (8.3) form of an existing path: GetShortPathNameW on Windows; on Linux the path
// itself. nullopt when the system cannot tell.
std::optional<std::string> ShortPathName(const std::string& path);

} // namespace kiv::platform
