#pragma once

// Platform service: the system's version, the processor count and the user's name.

#include <cstdint>
#include <optional>
#include <string>

namespace kiv::platform {

// The running system's version. On Windows the numbers and the service-pack text of
// GetVersionExW and its platform identifier (2 on the NT family). On Linux the first three
// numbers of the kernel release (uname: "6.1.0-13-amd64" gives 6, 1, 0), PRETTY_NAME of
// /etc/os-release as the service-pack text (empty when there is none) and platform identifier 0,
// which no Windows family uses.
struct OperatingSystemVersion {
  std::uint32_t PlatformId = 0;
  std::uint32_t Major = 0;
  std::uint32_t Minor = 0;
  std::uint32_t Build = 0;
  std::string ServicePack;
};

// The version; all zero and an empty text when the system cannot tell.
OperatingSystemVersion SystemVersion();

// The number of processors: NtQuerySystemInformation's basic information on Windows, the
// processors this process may run on (sched_getaffinity, as nproc counts them) on Linux.
// 0 when the system cannot tell.
int ProcessorCount();

// Total physical memory in bytes: GlobalMemoryStatusEx on Windows, sysinfo (MemTotal of
// /proc/meminfo) on Linux; 0 when the system cannot tell.
std::uint64_t PhysicalMemoryBytes();

// The logged-on user's name: GetUserNameW on Windows; on Linux the name of the effective user
// (getpwuid_r, as id -un gives it). nullopt when it cannot be read.
std::optional<std::string> UserName();

} // namespace kiv::platform
