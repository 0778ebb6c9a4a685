#pragma once

// The progress line of kivmod's longer work: on the standard error, and only when it is a terminal
// and the work has taken more than a second, each text over the one before; cleared at the end.

#include <cstdint>
#include <string>

namespace kiv {

class Progress {
public:
  // Steps are shown as "kivmod: <what> <done> of <total>".
  Progress(std::string what, std::int64_t total);
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  // Clears the line, if one was shown.
  ~Progress();

  void Step(std::int64_t done);

private:
  std::string what_;
  std::int64_t total_;
  bool terminal_;
  std::uint64_t start_;
  std::uint64_t shownAt_ = 0;
  size_t shownLength_ = 0;
};

} // namespace kiv
