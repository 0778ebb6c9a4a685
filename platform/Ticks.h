#pragma once

// Platform service: the system's tick count and the processor's time-stamp counter.

#include <cstdint>

namespace kiv::platform {

// Milliseconds since the system started: GetTickCount64 on Windows, CLOCK_MONOTONIC on Linux.
std::uint64_t MillisecondsSinceStart();

// The processor's time-stamp counter (rdtsc), full 64 bits; where the processor has none,
// nanoseconds of a monotonic clock.
std::uint64_t TimeStampCounter();

} // namespace kiv::platform
