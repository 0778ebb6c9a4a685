#include "model/detail/ReadProgressPacer.h"

#include "core/Escalation.h"

#include <algorithm>

namespace kiv {
namespace {

constexpr std::uint64_t kMaxInterval = 1024 * 1024;
constexpr std::uint64_t kNever = UINT64_MAX;

} // namespace

ReadProgressPacer::ReadProgressPacer(const TReadProgressHook& hook, std::uint64_t total,
                                     std::string_view className, std::string_view step)
    : hook_(hook), total_(total), className_(className), step_(step),
      interval_(total == 0 ? kMaxInterval
                           : std::clamp<std::uint64_t>(total / 256, 1, kMaxInterval)),
      next_(hook ? 0 : kNever) {}

bool ReadProgressPacer::Call(std::uint64_t consumed) {
  next_ = consumed + interval_;
  return GuardEscalating(className_, step_,
                         [&] { return hook_(std::min(consumed, total_), total_); });
}

} // namespace kiv
