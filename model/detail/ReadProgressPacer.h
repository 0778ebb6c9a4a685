#pragma once

// Paces the calls of a model-file read's progress hook; not installed.
#include "model/ReadProgress.h"

#include <cstdint>
#include <string_view>

namespace kiv {

// Calls a read's progress hook at the start and at the end of the model blocks, and between them
// whenever about 1/256 of the text, at most 1 MiB, has been consumed since the last call, so that
// a progress bar moves smoothly and a stop comes soon whatever the size. The hook's failures
// escalate at the location it is given, that of the step the read is in. Without a hook the check
// after each model is one comparison that never holds; the calls themselves stay in their own
// source, out of the reader's way.
class ReadProgressPacer {
public:
  ReadProgressPacer(const TReadProgressHook& hook, std::uint64_t total, std::string_view className,
                    std::string_view step);

  // Each returns false when the hook asks the read to stop.
  bool Start() { return !hook_ || Call(0); }
  bool Passed(std::uint64_t consumed) { return consumed < next_ || Call(consumed); }
  bool End() { return !hook_ || Call(total_); }

private:
  bool Call(std::uint64_t consumed);

  const TReadProgressHook& hook_;
  std::uint64_t total_;
  std::string_view className_;
  std::string_view step_;
  std::uint64_t interval_;
  std::uint64_t next_;
};

} // namespace kiv
