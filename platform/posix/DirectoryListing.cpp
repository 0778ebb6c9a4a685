#include "platform/posix/DirectoryListing.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"

#include <utility>

namespace kiv::platform {

DirectoryListing::DirectoryListing(std::string folder)
    : folder_(std::move(folder)), dir_(sys::OpenDirectory(folder_.c_str())) {}

DirectoryListing::~DirectoryListing() {
  if (dir_ != nullptr)
    sys::CloseDirectory(dir_);
}

const dirent* DirectoryListing::Next() {
  // readdir tells the end from a failure only through errno.
  errno = 0;
  const dirent* entry = sys::ReadDirectory(dir_);
  if (entry == nullptr && errno != 0)
    throw ErrnoError("readdir", folder_);
  return entry;
}

} // namespace kiv::platform
