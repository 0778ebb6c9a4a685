#include "platform/SystemInformation.h"

#include "platform/posix/SystemCalls.h"
#include "platform/posix/SystemFiles.h"
#include "platform/posix/SystemText.h"

#include <vector>

namespace kiv::platform {

OperatingSystemVersion SystemVersion() {
  OperatingSystemVersion version;
  struct utsname name {};
  if (sys::SystemName(&name) == 0) {
    const ReleaseNumbers numbers = ParseKernelRelease(name.release);
    version.Major = numbers.Major;
    version.Minor = numbers.Minor;
    version.Build = numbers.Patch;
  }
  if (const std::optional<std::string> text = ReadSystemFile("/etc/os-release"))
    version.ServicePack = OsReleaseValue(*text, "PRETTY_NAME").value_or("");
  return version;
}

int ProcessorCount() {
  cpu_set_t processors;
  CPU_ZERO(&processors);
  if (sys::ProcessorAffinity(&processors) != 0)
    return 0;
  return CPU_COUNT(&processors);
}

std::uint64_t PhysicalMemoryBytes() {
  struct sysinfo info {};
  if (sys::MemoryStatus(&info) != 0)
    return 0;
  return std::uint64_t{info.totalram} * info.mem_unit;
}

std::optional<std::string> UserName() {
  struct passwd entry {};
  struct passwd* found = nullptr;
  std::vector<char> buffer(1024);
  for (;;) {
    const int error =
        sys::UserEntry(sys::EffectiveUser(), &entry, buffer.data(), buffer.size(), &found);
    if (error == ERANGE && buffer.size() < 65536) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (error != 0 || found == nullptr || entry.pw_name == nullptr)
      return std::nullopt;
    return std::string(entry.pw_name);
  }
}

} // namespace kiv::platform
