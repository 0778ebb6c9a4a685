#include "platform/Directory.h"

#include "platform/posix/DirectoryListing.h"
#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"
#include "platform/posix/Wildcard.h"

namespace kiv::platform {
namespace {

// The entry's type as the folder reports it, asking the file itself only for links and for file
// systems that do not say.
bool IsRegularFile(DIR* dir, const dirent& entry) {
  if (entry.d_type == DT_REG)
    return true;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
    return false;
  struct stat info {};
  return sys::StatInDirectory(dir, entry.d_name, &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::vector<std::string> ListMatchingFiles(const std::string& folder, std::string_view pattern) {
  DirectoryListing listing(folder);
  if (!listing.IsOpen()) {
    if (errno == ENOENT || errno == ENOTDIR || errno == EACCES)
      return {};
    throw ErrnoError("opendir", folder);
  }
  std::vector<std::string> names;
  while (const dirent* entry = listing.Next()) {
    const std::string_view name(entry->d_name);
    if (MatchesWildcard(name, pattern) && IsRegularFile(listing.Dir(), *entry))
      names.emplace_back(name);
  }
  return names;
}

} // namespace kiv::platform
