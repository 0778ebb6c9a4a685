#include "platform/Ticks.h"

#include <ctime>
#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace kiv::platform {
namespace {

std::uint64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u +
         static_cast<std::uint64_t>(now.tv_nsec);
}

} // namespace

std::uint64_t MillisecondsSinceStart() {
  return MonotonicNanoseconds() / 1000000u;
}

std::uint64_t TimeStampCounter() {
#if defined(__x86_64__) || defined(__i386__)
  return __rdtsc();
#else
  return MonotonicNanoseconds();
#endif
}

} // namespace kiv::platform
