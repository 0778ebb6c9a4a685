#include "core/NumberParse.h"

#include "core/ByteClasses.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
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

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

double ScaleExactly(std::uint64_t mantissa, int exponent, bool negative) {
  const double magnitude = static_cast<double>(mantissa);
  const double scaled = exponent < 0 ? magnitude / kExactPowersOfTen[-exponent]
                                     : magnitude * kExactPowersOfTen[exponent];
  return negative ? -scaled : scaled;
}

// The ten characters "d.dddde+dd" after an optional minus, followed by a separator. The shape is
// tested as one condition, which a word of another form fails at once, whatever its characters;
// the four digits after the point and the two of the exponent are checked and converted
// together, as the bytes of one word.
bool ParseColumnDigits(const char* p, bool negative, double& value) {
  static_assert(std::endian::native == std::endian::little);
  const auto first = static_cast<unsigned>(p[0] - '0');
  const bool shaped = IsSeparator(p[10]) & (first <= 9) & (p[1] == '.') & ((p[6] | 0x20) == 'e') &
                      ((p[7] == '+') | (p[7] == '-'));
  if (!shaped)
    return false;
  // "dddde+dd" from the second digit on, the letter and the sign replaced by zeros.
  std::uint64_t word = 0;
  std::memcpy(&word, p + 2, sizeof word);
  word = (word & ~0x0000FFFF00000000ull) | 0x0000303000000000ull;
  // A byte's top bit marks a character below '0' (the subtraction wraps) or above '9' (the
  // addition reaches 0x80); the first non-digit is always marked.
  if ((((word + 0x4646464646464646ull) | (word - 0x3030303030303030ull)) & 0x8080808080808080ull) !=
      0)
    return false;
  // Each byte's digit; then pairs of digits, in the first byte of each pair.
  std::uint64_t digits = word - 0x3030303030303030ull;
  digits = digits * 10 + (digits >> 8);
  const auto mantissa =
      static_cast<unsigned>(first * 10000 + (digits & 0xFF) * 100 + ((digits >> 16) & 0xFF));
  const auto exponent = static_cast<int>((digits >> 48) & 0xFF);
  const int scale = (p[7] == '-' ? -exponent : exponent) - 4;
  if (scale < -22 || scale > 22)
    return false;
  value = ScaleExactly(mantissa, scale, negative);
  return true;
}

// The writer's column form; reads up to 12 characters.
size_t ParseColumnForm(const char* text, double& value) {
  const bool negative = text[0] == '-';
  if (!ParseColumnDigits(text + static_cast<size_t>(negative), negative, value))
    return 0;
  return 10 + static_cast<size_t>(negative);
}

// A plain decimal; reads up to kFastRealReach characters. Kept out of line, so that the column
// form before it needs none of the registers that its loops save.
[[gnu::noinline]] size_t ParseShortForm(const char* text, double& value) {
  const char* p = text;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+')
    ++p;
  // Digits are counted up to one beyond the 15 that make an exact double, so that no loop reads
  // further than kFastRealReach.
  std::uint64_t mantissa = 0;
  int digits = 0;
  for (; digits <= 15 && IsDigit(*p); ++p, ++digits)
    mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
  int exponent = 0;
  if (*p == '.') {
    const char* fraction = ++p;
    for (; digits <= 15 && IsDigit(*p); ++p, ++digits)
      mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    exponent = -static_cast<int>(p - fraction);
  }
  if (digits == 0 || digits > 15)
    return 0;
  if (*p == 'e' || *p == 'E') {
    ++p;
    const bool negativeExponent = *p == '-';
    if (*p == '-' || *p == '+')
      ++p;
    const char* written = p;
    int given = 0;
    for (; p - written < 3 && IsDigit(*p); ++p)
      given = given * 10 + (*p - '0');
    if (p == written)
      return 0;
    exponent += negativeExponent ? -given : given;
  }
  if (!IsSeparator(*p) || exponent < -22 || exponent > 22)
    return 0;
  value = ScaleExactly(mantissa, exponent, negative);
  return static_cast<size_t>(p - text);
}

// The fast forms read a word up to a separator: a copy of the word gives them one.
bool ParseFastWord(std::string_view word, double& value) {
  char padded[kMaxRealWordLength + kFastRealReach];
  std::memcpy(padded, word.data(), word.size());
  std::memset(padded + word.size(), ' ', kFastRealReach);
  double fast = 0;
  if (ParseFastReal(padded, fast) != word.size())
    return false;
  value = fast;
  return true;
}

} // namespace

size_t ParseFastReal(const char* text, double& value) {
  const size_t length = ParseColumnForm(text, value);
  return length != 0 ? length : ParseShortForm(text, value);
}

bool ParseReal(std::string_view word, double& value) {
  if (word.empty() || word.size() > kMaxRealWordLength)
    return false;
  if (ParseFastWord(word, value))
    return true;
  bool negative = false;
  if (word.front() == '+' || word.front() == '-') {
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
