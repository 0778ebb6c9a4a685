#include "platform/posix/Wildcard.h"

namespace kiv::platform {
namespace {

// The bytes of the UTF-8 character that starts at text[at].
size_t CharacterLength(std::string_view text, size_t at) {
  size_t end = at + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    ++end;
  return end - at;
}

} // namespace

// Matching from the left; on a mismatch the last "*" takes one more character and the match
// goes on behind it.
bool MatchesWildcard(std::string_view name, std::string_view pattern) {
  size_t n = 0;
  size_t p = 0;
  size_t afterStar = std::string_view::npos;
  size_t starTakesUpTo = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      afterStar = ++p;
      starTakesUpTo = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += CharacterLength(name, n);
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (afterStar != std::string_view::npos) {
      p = afterStar;
      starTakesUpTo += CharacterLength(name, starTakesUpTo);
      n = starTakesUpTo;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*')
    ++p;
  return p == pattern.size();
}

} // namespace kiv::platform
