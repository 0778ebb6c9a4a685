#include "platform/ProcessMemory.h"

#include "platform/win32/SystemCalls.h"

// windows.h first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

namespace kiv::platform {

std::optional<std::uint64_t> WorkingSetBytes(std::uint64_t processId) {
  if (win32::Struck(testing::Operation::SystemQuery))
    return std::nullopt;
  const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE,
                                       static_cast<DWORD>(processId));
  if (process == nullptr)
    return std::nullopt;
  PROCESS_MEMORY_COUNTERS counters{};
  const BOOL read = ::GetProcessMemoryInfo(process, &counters, sizeof counters);
  ::CloseHandle(process);
  if (!read)
    return std::nullopt;
  return counters.WorkingSetSize;
}

std::uint64_t CurrentProcessId() {
  return ::GetCurrentProcessId();
}

} // namespace kiv::platform
