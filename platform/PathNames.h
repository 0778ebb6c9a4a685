#pragma once

// Platform service: long and short forms of path names.

#include <optional>
#include <string>

namespace kiv::platform {

// The long form of an existing path: GetLongPathNameW (at most 511 characters) on Windows. Linux
// names have no short forms, so an existing path (links not followed) is its own long form.
// nullopt when the path does not exist or the system cannot tell.
std::optional<std::string> LongPathName(const std::string& path);

// The long name of the folder entry path names, as the file system reports it: the entry's name
// from FindFirstFileW on Windows; on Linux the last component itself when the entry exists (links
// not followed). nullopt when there is no such entry or path ends in a separator.
std::optional<std::string> EntryLongName(const std::string& path);

// The short (8.3) form of an existing path: GetShortPathNameW on Windows; on Linux the path
// itself. nullopt when the system cannot tell.
std::optional<std::string> ShortPathName(const std::string& path);

} // namespace kiv::platform
