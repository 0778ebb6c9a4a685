#pragma once

// Platform service: the roots of the fixed drives.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kiv::platform {

// The roots of the fixed drives. On Windows each root of GetLogicalDriveStringsW (a buffer of 258
// characters; more throws std::system_error with error 14) whose GetDriveTypeW is fixed, in
// drive-letter order, such as "C:\". On Linux the mount point of every mount of the mount table
// (/proc/self/mountinfo read with libmount) whose source is a block device under /dev/ and which
// mounts the root of its file system (so bind mounts of a sub-folder do not count), in table
// order. Throws std::system_error when the table cannot be read.
std::vector<std::string> FixedDriveRoots();

// The volume's 32-bit identification number for the volume whose root is path:
// GetVolumeInformationW's serial number on Windows; on Linux the low 32 bits of statvfs's file
// system id (the first eight hexadecimal digits of stat -f -c %i). nullopt when it cannot be read.
std::optional<std::uint32_t> VolumeSerialNumber(const std::string& root);

// Bytes free for the calling user on the volume holding path: GetDiskFreeSpaceExW on Windows,
// statvfs's f_bavail blocks of f_frsize bytes on Linux. nullopt when it cannot be read.
std::optional<std::int64_t> FreeBytesForUser(const std::string& path);

} // namespace kiv::platform
