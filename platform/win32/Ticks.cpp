#include "platform/Ticks.h"

#include <intrin.h>
#include <windows.h>

namespace kiv::platform {

std::uint64_t MillisecondsSinceStart() {
  return ::GetTickCount64();
}

std::uint64_t TimeStampCounter() {
  return __rdtsc();
}

} // namespace kiv::platform
