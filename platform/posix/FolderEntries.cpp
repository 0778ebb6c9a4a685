#include "platform/FolderEntries.h"

#include "platform/FileOperations.h"
#include "platform/posix/DirectoryListing.h"
#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"
#include "platform/posix/Wildcard.h"

#include <cerrno>
#include <system_error>

namespace kiv::platform {
namespace {

bool MatchesMask(const std::string& name, const std::string& mask) {
  if (mask == "*.*")
    return true;
  return MatchesWildcard(name, mask);
}

std::uint32_t AttributesOf(const std::string& name, const struct stat& info, bool leadsToFolder) {
  std::uint32_t attributes = 0;
  if (S_ISLNK(info.st_mode))
    attributes = kAttributeLink | (leadsToFolder ? kAttributeFolder : 0);
  else if (S_ISDIR(info.st_mode))
    attributes = kAttributeFolder;
  else
    attributes = kAttributeArchive;
  if ((info.st_mode & S_IWUSR) == 0 && !S_ISLNK(info.st_mode))
    attributes |= kAttributeReadOnly;
  if (name.starts_with('.'))
    attributes |= kAttributeHidden;
  return attributes;
}

} // namespace

std::vector<FolderEntry> ListFolderEntries(const std::string& folder, const std::string& mask) {
  const std::string base = folder.empty() ? "./" : folder.back() == '/' ? folder : folder + "/";
  std::vector<FolderEntry> entries;
  DirectoryListing listing(base);
  if (!listing.IsOpen()) {
    if (errno == ENOENT)
      return entries;
    throw ErrnoError("opendir", base);
  }
  while (const dirent* entry = listing.Next()) {
    const std::string name = entry->d_name;
    if (name == "." || name == ".." || !MatchesMask(name, mask))
      continue;
    const std::string path = base + name;
    struct stat info {};
    if (sys::LinkStat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) // removed while listed
        continue;
      throw ErrnoError("lstat", path);
    }
    struct stat target {};
    const bool leadsToFolder =
        S_ISLNK(info.st_mode) && sys::Stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
    entries.push_back({name, AttributesOf(name, info, leadsToFolder), S_ISDIR(info.st_mode)});
  }
  return entries;
}

bool IsRootFolder(const std::string& path) {
  return IsSameFile(path, "/");
}

EntryKind KindOf(const std::string& path) {
  struct stat info {};
  if (sys::LinkStat(path.c_str(), &info) != 0)
    return EntryKind::Missing;
  if (S_ISLNK(info.st_mode))
    return EntryKind::Link;
  if (S_ISDIR(info.st_mode))
    return EntryKind::Folder;
  if (S_ISREG(info.st_mode))
    return EntryKind::File;
  return EntryKind::Other;
}

} // namespace kiv::platform
