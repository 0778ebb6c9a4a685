#include "framework/base/RunTimeName.h"

#include "platform/Ticks.h"

#include <cstdint>

namespace kiv {

std::string RunTimeName(std::string_view APrefix) {
  // The user-interface thread alone makes windows, so a plain counter is enough.
  static std::uint64_t sequence = 0;
  ++sequence;
  return std::string(APrefix) + std::to_string(platform::MillisecondsSinceStart()) + "_" +
         std::to_string(sequence);
}

} // namespace kiv
