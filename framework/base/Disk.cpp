#include "framework/base/Disk.h"

#include "platform/Volumes.h"

namespace kiv {

bool TDisk::FreeSpace(const std::string& ADirectoryName,
                      std::int64_t& AFreeDiskSpaceAvailableToUser_Bytes) const {
  const std::optional<std::int64_t> free = platform::FreeBytesForUser(ADirectoryName);
  if (free)
    AFreeDiskSpaceAvailableToUser_Bytes = *free;
  return free.has_value();
}

} // namespace kiv
