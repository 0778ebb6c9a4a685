#pragma once

// Platform service: the entries of a folder with their attributes.

#include <cstdint>
#include <string>
#include <vector>

namespace kiv::platform {

// Attribute bits of a folder entry, as Windows gives them.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeHidden = 0x02;
inline constexpr std::uint32_t kAttributeFolder = 0x10;
inline constexpr std::uint32_t kAttributeArchive = 0x20;
inline constexpr std::uint32_t kAttributeLink = 0x400;

// One entry of a folder, links never followed.
struct FolderEntry {
  std::string Name;
  std::uint32_t Attributes = 0;
  bool IsFolder = false; // a real folder, not a link to one
};

// The entries of folder (a trailing separator allowed) whose names match mask, without "." and
// "..", in the order the system lists them. On Windows FindFirstFileW/FindNextFileW of folder
// plus mask, with their attribute words. On Linux readdir with lstat: mask matches as the
// system's file search matches names ("*" any run, "?" one character), "*.*" means any name as on
// Windows; a folder has
// kAttributeFolder, a file kAttributeArchive, a symbolic link kAttributeLink (with kAttributeFolder
// when it leads to a folder), plus kAttributeReadOnly without write permission for its owner and
// kAttributeHidden for a name starting with ".". A folder that does not exist gives no entries; any
// other failure throws std::system_error naming the failed call.
std::vector<FolderEntry> ListFolderEntries(const std::string& folder, const std::string& mask);

// True when path names the root of a file system or drive ("/", "C:\\"), however it is spelled.
bool IsRootFolder(const std::string& path);

// What is at path, links not followed.
enum class EntryKind { Missing, File, Folder, Link, Other };
EntryKind KindOf(const std::string& path);

} // namespace kiv::platform
