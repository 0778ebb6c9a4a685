#pragma once

// POSIX implementation internals: reading a folder's entries.

#include <dirent.h>
#include <string>

namespace kiv::platform {

// The entries of one folder, read one after the other; the listing is closed with the object.
class DirectoryListing {
public:
  // Opens the listing of folder; when it cannot, IsOpen is false and errno says why.
  explicit DirectoryListing(std::string folder);
  DirectoryListing(const DirectoryListing&) = delete;
  DirectoryListing& operator=(const DirectoryListing&) = delete;
  ~DirectoryListing();

  bool IsOpen() const { return dir_ != nullptr; }
  // The open listing, for calls that name an entry relative to it.
  DIR* Dir() const { return dir_; }

  // The next entry, or nullptr after the last. Throws std::system_error naming "readdir" and
  // the folder.
  const dirent* Next();

private:
  std::string folder_;
  DIR* dir_;
};

} // namespace kiv::platform
