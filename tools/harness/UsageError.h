#pragma once

// A mistake of a tool's command line, which the tool tells in one line and ends with exit code 2.

#include <stdexcept>

namespace kiv {

// A mistake of the command line: an unknown switch, a missing file, a value out of its range.
class UsageError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

} // namespace kiv
