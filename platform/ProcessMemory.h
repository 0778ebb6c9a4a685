#pragma once

// Platform service: a process's memory use.

#include <cstdint>
#include <optional>

namespace kiv::platform {

// The working-set size in bytes of process processId: GetProcessMemoryInfo on Windows; VmRSS of
// /proc/<id>/status on Linux. nullopt when the counters cannot be read.
std::optional<std::uint64_t> WorkingSetBytes(std::uint64_t processId);

// The running process's id.
std::uint64_t CurrentProcessId();

} // namespace kiv::platform
