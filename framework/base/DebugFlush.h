#pragma once

// When the diagnostic log flushes its file to the disk.

#include <cstdint>

namespace kiv {

// When the diagnostic log takes its file to the disk: a flush costs a millisecond or more, a
// line a few microseconds, so lines are flushed at most once in kIntervalMs, but an error line
// at once, so that the lines before a failure are on the disk whatever follows.
class TDebugFlushSchedule {
public:
  static constexpr std::uint64_t kIntervalMs = 100;

  // Whether the line appended at ANowMs (a monotonic clock) is to be flushed with the lines
  // before it; when it is, the interval starts anew.
  bool FlushLine(bool AErrorLine, std::uint64_t ANowMs) {
    if (!AErrorLine && FFlushedOnce && ANowMs - FLastFlushMs < kIntervalMs)
      return false;
    FFlushedOnce = true;
    FLastFlushMs = ANowMs;
    return true;
  }

private:
  bool FFlushedOnce = false;
  std::uint64_t FLastFlushMs = 0;
};

} // namespace kiv
