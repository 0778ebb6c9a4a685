#include "tools/harness/ProgressLine.h"

#include "platform/Terminal.h"
#include "platform/Ticks.h"

#include <iostream>

namespace kiv {
namespace {

constexpr std::uint64_t kQuietMs = 1000;
constexpr std::uint64_t kIntervalMs = 200;

} // namespace

ProgressLine::ProgressLine()
    : terminal_(platform::StandardErrorIsTerminal()), start_(platform::MillisecondsSinceStart()) {}

ProgressLine::~ProgressLine() {
  if (shownLength_ > 0)
    std::cerr << '\r' << std::string(shownLength_, ' ') << '\r' << std::flush;
}

bool ProgressLine::Due() const {
  if (!terminal_)
    return false;
  const std::uint64_t now = platform::MillisecondsSinceStart();
  return now - start_ >= kQuietMs && (shownLength_ == 0 || now - shownAt_ >= kIntervalMs);
}

void ProgressLine::Show(std::string_view text) {
  if (!Due())
    return;
  Put(text, "");
  shownLength_ = text.size();
  shownAt_ = platform::MillisecondsSinceStart();
}

void ProgressLine::Finish(std::string_view text) {
  if (shownLength_ == 0)
    return;
  Put(text, "\n");
  shownLength_ = 0;
}

void ProgressLine::Put(std::string_view text, std::string_view end) {
  std::cerr << '\r' << text
            << std::string(shownLength_ > text.size() ? shownLength_ - text.size() : 0, ' ') << end
            << std::flush;
}

} // namespace kiv
