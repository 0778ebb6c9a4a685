#include "platform/Volumes.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"
#include "platform/posix/SystemFiles.h"
#include "platform/posix/SystemText.h"

#include <cerrno>
#include <system_error>

namespace kiv::platform {

std::vector<std::string> FixedDriveRoots() {
  const std::optional<std::string> text = ReadSystemFile("/proc/self/mountinfo");
  if (!text)
    throw ErrnoError("open", "/proc/self/mountinfo");
  return FixedDriveMounts(ParseMountTable(*text));
}

std::optional<std::uint32_t> VolumeSerialNumber(const std::string& root) {
  struct statvfs info {};
  if (sys::VolumeStatus(root.c_str(), &info) != 0)
    return std::nullopt;
  return static_cast<std::uint32_t>(info.f_fsid & 0xFFFFFFFFu);
}

std::optional<std::int64_t> FreeBytesForUser(const std::string& path) {
  struct statvfs info {};
  if (sys::VolumeStatus(path.c_str(), &info) != 0)
    return std::nullopt;
  return static_cast<std::int64_t>(std::uint64_t{info.f_bavail} * info.f_frsize);
}

} // namespace kiv::platform
