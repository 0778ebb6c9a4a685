#pragma once

#include <cstddef>
#include <string_view>

namespace kiv::bench {

// A model file's words are separated by characters of code 32 or less, as the reader sees them.
inline bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

// Calls f with each word of line, in order.
template <class F> void ForEachWord(std::string_view line, F&& f) {
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && IsSeparator(line[at]))
      ++at;
    const size_t start = at;
    while (at < line.size() && !IsSeparator(line[at]))
      ++at;
    if (at > start)
      f(line.substr(start, at - start));
  }
}

} // namespace kiv::bench
