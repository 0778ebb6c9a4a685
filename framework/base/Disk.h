#pragma once

// System information of unit MY_: the disks.

#include <cstdint>
#include <string>

namespace kiv {

// The disks.
class TDisk {
public:
  // Sets AFreeDiskSpaceAvailableToUser_Bytes to the bytes free for the calling user on the volume
  // holding ADirectoryName and returns true; false when that cannot be read (the out value then
  // has no meaning).
  bool FreeSpace(const std::string& ADirectoryName,
                 std::int64_t& AFreeDiskSpaceAvailableToUser_Bytes) const;
};

} // namespace kiv
