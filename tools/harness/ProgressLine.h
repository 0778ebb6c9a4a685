#pragma once

// The progress line of a tool's longer work, on the standard error: shown only when that is a
// terminal and the work has taken more than a second, each text over the one before, and cleared
// at the end, so that scripts and quick runs see none of it.

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

class ProgressLine {
public:
  // The work starts.
  ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  // Clears the line, if one is shown.
  ~ProgressLine();

  // Whether Show would show a text now: on a terminal, a second after the start and a fifth of a
  // second after the text before; so that a caller makes a text only when it is shown.
  bool Due() const;
  // Shows text over the one before, when Due.
  void Show(std::string_view text);
  // Ends the work: puts text over the line and keeps it, when a line is shown; else shows nothing.
  void Finish(std::string_view text);

private:
  void Put(std::string_view text, std::string_view end);

  bool terminal_;
  std::uint64_t start_;
  std::uint64_t shownAt_ = 0;
  size_t shownLength_ = 0;
};

} // namespace kiv
