#include "tools/harness/Progress.h"

#include "platform/Terminal.h"
#include "platform/Ticks.h"

#include <iostream>

namespace kiv {
namespace {

constexpr std::uint64_t kQuietMs = 1000;
constexpr std::uint64_t kIntervalMs = 200;

} // namespace

Progress::Progress(std::string what, std::int64_t total)
    : what_(std::move(what)), total_(total), terminal_(platform::StandardErrorIsTerminal()),
      start_(platform::MillisecondsSinceStart()) {}

Progress::~Progress() {
  if (shownLength_ > 0)
    std::cerr << '\r' << std::string(shownLength_, ' ') << '\r' << std::flush;
}

void Progress::Step(std::int64_t done) {
  if (!terminal_)
    return;
  const std::uint64_t now = platform::MillisecondsSinceStart();
  if (now - start_ < kQuietMs || (shownLength_ > 0 && now - shownAt_ < kIntervalMs))
    return;
  const std::string text =
      "kivmod: " + what_ + " " + std::to_string(done) + " of " + std::to_string(total_);
  std::cerr << '\r' << text
            << std::string(shownLength_ > text.size() ? shownLength_ - text.size() : 0, ' ')
            << std::flush;
  shownLength_ = text.size();
  shownAt_ = now;
}

} // namespace kiv
