#include "core/NumberParse.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kiv {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// from_chars reports a value beyond the double range in either direction as out of range;
// the decimal order of magnitude tells an underflow (read as zero) from an overflow.
bool IsBelowDoubleRange(std::string_view unsignedWord) {
  long order = 0;
  bool seenPoint = false;
  bool seenNonZero = false;
  size_t i = 0;
  for (; i < unsignedWord.size() && unsignedWord[i] != 'e' && unsignedWord[i] != 'E'; ++i) {
    const char c = unsignedWord[i];
    if (c == '.') {
      seenPoint = true;
    } else if (!seenNonZero) {
      if (c != '0')
        seenNonZero = true;
      else if (seenPoint)
        --order;
    } else if (!seenPoint) {
      ++order;
    }
  }
  if (seenPoint && !seenNonZero)
    return true;
  long exponent = 0;
  if (i < unsignedWord.size()) {
    ++i;
    const bool negative = i < unsignedWord.size() && unsignedWord[i] == '-';
    if (i < unsignedWord.size() && (unsignedWord[i] == '-' || unsignedWord[i] == '+'))
      ++i;
    for (; i < unsignedWord.size() && exponent < 1000000; ++i)
      exponent = exponent * 10 + (unsignedWord[i] - '0');
    if (negative)
      exponent = -exponent;
  }
  return order + exponent < 0;
}

} // namespace

bool ParseReal(std::string_view word, double& value) {
  if (word.size() > kMaxRealWordLength)
    return false;
  bool negative = false;
  if (!word.empty() && (word.front() == '+' || word.front() == '-')) {
    negative = word.front() == '-';
    word.remove_prefix(1);
  }
  // from_chars would also take "inf", "nan" and a second sign; the grammar has none of them.
  if (word.empty() || !(IsDigit(word.front()) || word.front() == '.'))
    return false;
  double parsed = 0;
  const auto [end, error] =
      std::from_chars(word.data(), word.data() + word.size(), parsed, std::chars_format::general);
  if (end != word.data() + word.size())
    return false;
  if (error == std::errc::result_out_of_range) {
    if (!IsBelowDoubleRange(word))
      return false;
    parsed = 0;
  } else if (error != std::errc()) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

bool ParseInteger(std::string_view word, std::int32_t& value) {
  if (word.size() > kMaxIntegerWordLength)
    return false;
  const bool plus = !word.empty() && word.front() == '+';
  if (plus)
    word.remove_prefix(1);
  if (word.empty() || !(IsDigit(word.front()) || (!plus && word.front() == '-')))
    return false;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  return error == std::errc() && end == word.data() + word.size();
}

float NarrowToSingle(double value) {
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
    throw std::overflow_error("Floating point overflow");
  return static_cast<float>(value);
}

} // namespace kiv
