#include "platform/ProcessMemory.h"

#include "platform/posix/SystemCalls.h"
#include "platform/posix/SystemFiles.h"
#include "platform/posix/SystemText.h"

#include <string>

namespace kiv::platform {

std::optional<std::uint64_t> WorkingSetBytes(std::uint64_t processId) {
  const std::optional<std::string> status =
      ReadSystemFile("/proc/" + std::to_string(processId) + "/status");
  return status ? StatusFieldBytes(*status, "VmRSS") : std::nullopt;
}

std::uint64_t CurrentProcessId() {
  return static_cast<std::uint64_t>(sys::ProcessId());
}

} // namespace kiv::platform
