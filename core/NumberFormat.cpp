#include "core/NumberFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace kiv {
namespace {

// DBL_MAX has 309 digits before the point.
constexpr size_t kMaxIntegerDigits = 309;

// Room for std::to_chars in fixed notation with every placeholder after the point, and in
// scientific notation with every placeholder significant.
constexpr size_t kScratchSize = kMaxIntegerDigits + 1 + kMaxPictureDigits + 16;

// Room for formatting with a stack buffer before falling back to the heap.
constexpr size_t kStackTextSize = 512;

// std::to_chars rounds a tie to even, the texts of this system round it away from zero. Whether
// a double is a tie follows from exact arithmetic on its binary form, so that no longer digit
// string is needed. Returns true when a is exactly halfway between two neighbouring multiples
// n * 10^k and (n + 1) * 10^k with n even: the ties-to-even digits then end in n's even digit
// and must be raised by one, which never carries.
bool TieRoundedDown(double a, int k) {
  const auto bits = std::bit_cast<std::uint64_t>(a);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  int e2 = -1074;
  if (biased != 0) {
    m |= std::uint64_t{1} << 52;
    e2 = biased - 1075;
  }
  if (m == 0)
    return false;
  const int zeros = std::countr_zero(m);
  m >>= zeros;
  e2 += zeros;
  // a = m * 2^e2 with m odd, and 2a / 10^k = m * 2^(e2 + 1 - k) / 5^k must be the odd number
  // 2n + 1: the powers of two cancel only when e2 = k - 1, and 5^k must divide m.
  if (e2 != k - 1)
    return false;
  if (k > 0) {
    if (k > 22) // 5^23 is more than any 53-bit m
      return false;
    std::uint64_t power = 1;
    for (int i = 0; i < k; ++i)
      power *= 5;
    if (m % power != 0)
      return false;
  }
  // 5^k is 1 modulo 4, so 2n + 1 is m modulo 4 and n is even exactly when m is 1 modulo 4.
  return m % 4 == 1;
}

constexpr std::uint64_t kPowersOfTen[] = {1ull,
                                          10ull,
                                          100ull,
                                          1000ull,
                                          10000ull,
                                          100000ull,
                                          1000000ull,
                                          10000000ull,
                                          100000000ull,
                                          1000000000ull,
                                          10000000000ull,
                                          100000000000ull,
                                          1000000000000ull,
                                          10000000000000ull,
                                          100000000000000ull,
                                          1000000000000000ull,
                                          10000000000000000ull,
                                          100000000000000000ull,
                                          1000000000000000000ull,
                                          10000000000000000000ull};
constexpr int kLargestPowerOfTen = 19;

// a * 10^k for a > 0, cut to an integer and rounded to one with ties away from zero, in exact
// integer arithmetic on a's binary form. The usual column values take this way rather than
// std::to_chars with a precision, which is several times slower. False when the result or a step
// would not fit.
bool ScaleExactly(double a, int k, std::uint64_t& truncated, std::uint64_t& rounded) {
  __extension__ typedef unsigned __int128 Wide;
  const auto bits = std::bit_cast<std::uint64_t>(a);
  const int biased = static_cast<int>((bits >> 52) & 0x7ff);
  if (biased == 0 || biased == 0x7ff || k > kLargestPowerOfTen || k < -kLargestPowerOfTen)
    return false;
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int e2 = biased - 1075; // a = m * 2^e2
  Wide quotient = 0;
  bool roundUp = false;
  if (k >= 0) {
    const Wide scaled = static_cast<Wide>(m) * kPowersOfTen[k]; // below 2^117
    if (e2 >= 0) {
      if (e2 > 10)
        return false;
      quotient = scaled << e2;
    } else {
      const int shift = -e2;
      if (shift > 120)
        return false;
      quotient = scaled >> shift;
      const Wide remainder = scaled & ((Wide{1} << shift) - 1);
      roundUp = remainder >= (Wide{1} << (shift - 1));
    }
  } else {
    if (e2 > 60 || e2 < -60)
      return false;
    const Wide numerator = e2 >= 0 ? static_cast<Wide>(m) << e2 : static_cast<Wide>(m);
    const Wide denominator = static_cast<Wide>(kPowersOfTen[-k]) << (e2 >= 0 ? 0 : -e2);
    if ((numerator >> 64) == 0 && (denominator >> 64) == 0) {
      // Both fit in 64 bits, as for whole numbers such as 100000: a plain division does.
      const auto n = static_cast<std::uint64_t>(numerator);
      const auto d = static_cast<std::uint64_t>(denominator);
      quotient = n / d;
      roundUp = n % d >= d - n % d;
    } else {
      quotient = numerator / denominator;
      const Wide remainder = numerator % denominator;
      roundUp = remainder >= denominator - remainder;
    }
  }
  const Wide result = quotient + (roundUp ? 1 : 0);
  if (result >> 64 != 0)
    return false;
  truncated = static_cast<std::uint64_t>(quotient);
  rounded = static_cast<std::uint64_t>(result);
  return true;
}

// The first count significant digits of a > 0 as an integer of count digits, rounded with ties
// away from zero, and the decimal exponent of the first digit. False when a is outside the range
// of ScaleExactly.
bool ExactSignificand(double a, size_t count, std::uint64_t& digits, int& exponent) {
  if (count == 0 || count > static_cast<size_t>(kLargestPowerOfTen))
    return false;
  const std::uint64_t lowest = kPowersOfTen[count - 1];
  const std::uint64_t beyond = kPowersOfTen[count];
  // From the binary exponent: the decimal one, or one below it, which a comparison with an exact
  // power of ten settles where there is one.
  const int binary = static_cast<int>((std::bit_cast<std::uint64_t>(a) >> 52) & 0x7ff) - 1023;
  int estimate = (binary * 78913) >> 18; // floor(binary * log10(2))
  if (estimate >= -1 && estimate < kLargestPowerOfTen &&
      a >= static_cast<double>(kPowersOfTen[estimate + 1]))
    ++estimate;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::uint64_t truncated = 0;
    std::uint64_t rounded = 0;
    if (!ScaleExactly(a, static_cast<int>(count) - 1 - estimate, truncated, rounded))
      return false;
    // The cut value tells whether the estimate of the first digit's place was right.
    if (truncated < lowest) {
      --estimate;
    } else if (truncated >= beyond) {
      ++estimate;
    } else {
      // Exactly `beyond`: a rounded up to the next power of ten.
      digits = rounded == beyond ? lowest : rounded;
      exponent = rounded == beyond ? estimate + 1 : estimate;
      return true;
    }
  }
  return false;
}

// Writes value as exactly count decimal digits, with leading zeros.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233"
    "34353637383940414243444546474849505152535455565758596061626364656667"
    "6869707172737475767778798081828384858687888990919293949596979899";

char* WriteDigits(char* p, std::uint64_t value, size_t count) {
  size_t i = count;
  for (; i >= 2; i -= 2) {
    std::memcpy(p + i - 2, kDigitPairs + 2 * (value % 100), 2);
    value /= 100;
  }
  if (i == 1)
    p[0] = static_cast<char>('0' + value % 10);
  return p + count;
}

size_t DigitCount(std::uint64_t value) {
  size_t count = 1;
  while (count < 20 && value >= kPowersOfTen[count])
    ++count;
  return count;
}

// The first count significant digits of a >= 0, rounded with ties away from zero, as one
// string without point, and the decimal exponent of the first digit.
const char* ScientificDigits(double a, size_t count, char* scratch, size_t size, int& exponent) {
  std::uint64_t significand = 0;
  if (a > 0 && ExactSignificand(a, count, significand, exponent)) {
    WriteDigits(scratch, significand, count);
    return scratch;
  }
  const char* end = std::to_chars(scratch, scratch + size, a, std::chars_format::scientific,
                                  static_cast<int>(count - 1))
                        .ptr;
  // "d.ddde+XX", or "de+XX" for a single digit.
  const char* e = count > 1 ? scratch + count + 1 : scratch + 1;
  std::from_chars(e + 2, end, exponent);
  if (e[1] == '-')
    exponent = -exponent;
  char* digits = scratch;
  if (count > 1) {
    scratch[1] = scratch[0];
    digits = scratch + 1;
  }
  if (TieRoundedDown(a, exponent - static_cast<int>(count - 1)))
    ++digits[count - 1];
  return digits;
}

// a >= 0 in fixed notation with `fraction` digits after the point, rounded with ties away from
// zero, as std::to_chars writes it ("123.450", "0.500", "7"). Returns the end.
char* FixedDigits(double a, size_t fraction, char* scratch, size_t size) {
  std::uint64_t truncated = 0;
  std::uint64_t rounded = 0;
  if (a > 0 && ScaleExactly(a, static_cast<int>(fraction), truncated, rounded)) {
    const std::uint64_t unit = kPowersOfTen[fraction];
    const std::uint64_t integer = rounded / unit;
    char* p = WriteDigits(scratch, integer, DigitCount(integer));
    if (fraction > 0) {
      *p++ = '.';
      p = WriteDigits(p, rounded % unit, fraction);
    }
    return p;
  }
  char* end = std::to_chars(scratch, scratch + size, a, std::chars_format::fixed,
                            static_cast<int>(fraction))
                  .ptr;
  if (TieRoundedDown(a, -static_cast<int>(fraction)))
    ++end[-1];
  return end;
}

// Delphi's texts for values without digits.
size_t WriteNonFinite(double value, char* out) {
  const std::string_view text = std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
  std::memcpy(out, text.data(), text.size());
  return text.size();
}

char* WriteExponentDigits(char* p, int value, size_t minDigits) {
  char digits[8];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto count = static_cast<size_t>(end - digits);
  for (size_t i = count; i < minDigits; ++i)
    *p++ = '0';
  std::memcpy(p, digits, count);
  return p + count;
}

std::string Quoted(std::string_view picture) {
  return "\"" + std::string(picture) + "\"";
}

} // namespace

PictureFormat::PictureFormat(std::string_view picture) : picture_(picture) {
  Parse();
}

void PictureFormat::Parse() {
  if (picture_.empty()) {
    general_ = true;
    maxLength_ = kGeneralNumberMaxLength;
    return;
  }
  const auto addLiteral = [this](std::string_view text) {
    if (text.empty())
      return;
    if (!tokens_.empty() && tokens_.back().part == Part::Literal)
      tokens_.back().length += static_cast<std::uint32_t>(text.size());
    else
      tokens_.push_back({Part::Literal, static_cast<std::uint32_t>(literals_.size()),
                         static_cast<std::uint32_t>(text.size())});
    literals_ += text;
  };
  const std::string_view s = picture_;
  bool point = false;
  size_t firstIntegerZero = std::string_view::npos;
  size_t i = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '"' || c == '\'') {
      const size_t close = std::min(s.find(c, i + 1), s.size());
      addLiteral(s.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    if (c == ';')
      throw std::invalid_argument("Number picture sections (;) are not supported: " +
                                  Quoted(picture_));
    if (c == '0' || c == '#') {
      if (!point) {
        if (c == '0' && firstIntegerZero == std::string_view::npos)
          firstIntegerZero = integerDigits_;
        ++integerDigits_;
        tokens_.push_back({Part::IntegerDigit, 0, 0});
      } else {
        ++fractionDigits_;
        if (c == '0')
          fractionMinDigits_ = fractionDigits_;
        tokens_.push_back({Part::FractionDigit, 0, 0});
      }
    } else if (c == '.') {
      point = true;
    } else if (c == ',') {
      grouping_ = grouping_ || !point;
    } else if ((c == 'e' || c == 'E') && !scientific_ && i + 1 < s.size() &&
               (s[i + 1] == '+' || s[i + 1] == '-')) {
      scientific_ = true;
      exponentLetter_ = c;
      exponentPlus_ = s[i + 1] == '+';
      for (i += 2; i < s.size() && s[i] == '0'; ++i)
        ++exponentMinDigits_;
      tokens_.push_back({Part::Exponent, 0, 0});
      continue;
    } else {
      addLiteral(s.substr(i, 1));
    }
    ++i;
  }
  if (integerDigits_ + fractionDigits_ == 0)
    throw std::invalid_argument("Number picture without digit placeholder: " + Quoted(picture_));
  if (integerDigits_ + fractionDigits_ > kMaxPictureDigits)
    throw std::invalid_argument("Number picture with more than " +
                                std::to_string(kMaxPictureDigits) +
                                " digit placeholders: " + Quoted(picture_));
  if (firstIntegerZero != std::string_view::npos)
    integerMinDigits_ = integerDigits_ - firstIntegerZero;

  plain_ = literals_.empty() && !grouping_ && fractionMinDigits_ == fractionDigits_ &&
           integerMinDigits_ == 1 && (!scientific_ || integerDigits_ == 1) &&
           (!scientific_ || tokens_.back().part == Part::Exponent);

  size_t integerLength = scientific_ ? integerDigits_ : std::max(integerDigits_, kMaxIntegerDigits);
  if (grouping_ && integerLength > 0)
    integerLength += (integerLength - 1) / 3;
  const size_t exponentLength = scientific_ ? 2 + std::max<size_t>(3, exponentMinDigits_) : 0;
  maxLength_ = std::max<size_t>(4, 1 + integerLength + 1 + fractionDigits_ + exponentLength +
                                       literals_.size());
}

size_t PictureFormat::Format(double value, char* out, const FormatSettings& formats) const {
  if (general_)
    return FloatToText(value, out, formats);
  if (!std::isfinite(value))
    return WriteNonFinite(value, out);
  if (plain_)
    if (const size_t length = FormatPlain(value, out, formats); length > 0)
      return length;

  const double a = std::fabs(value);
  char scratch[kScratchSize];
  const char* integer = scratch;
  size_t integerLength = 0;
  const char* fraction = nullptr;
  int exponent = 0;
  if (scientific_) {
    const char* digits =
        ScientificDigits(a, integerDigits_ + fractionDigits_, scratch, sizeof scratch, exponent);
    integer = digits;
    integerLength = integerDigits_;
    fraction = digits + integerDigits_;
    exponent = a == 0 ? 0 : exponent - static_cast<int>(integerDigits_) + 1;
  } else {
    char* end = FixedDigits(a, fractionDigits_, scratch, sizeof scratch);
    fraction = end - fractionDigits_;
    integerLength = static_cast<size_t>(end - scratch) - fractionDigits_ - (fractionDigits_ > 0);
  }
  while (integerLength > 0 && *integer == '0') {
    ++integer;
    --integerLength;
  }
  const bool zero = integerLength == 0 && std::all_of(fraction, fraction + fractionDigits_,
                                                      [](char c) { return c == '0'; });
  size_t fractionLength = fractionDigits_;
  while (fractionLength > fractionMinDigits_ && fraction[fractionLength - 1] == '0')
    --fractionLength;
  const size_t written = std::max(integerLength, integerMinDigits_);
  const size_t pad = written - integerLength;

  char* p = out;
  if (std::signbit(value) && !zero)
    *p++ = '-';
  const auto putIntegerDigits = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      *p++ = i < pad ? '0' : integer[i - pad];
      const size_t left = written - 1 - i;
      if (grouping_ && left > 0 && left % 3 == 0)
        *p++ = formats.ThousandSeparator;
    }
  };
  size_t integerIndex = 0;
  size_t fractionIndex = 0;
  for (const Token& token : tokens_) {
    switch (token.part) {
    case Part::IntegerDigit: {
      // Placeholders line up with the last digits; the first one also takes the digits the
      // picture has no room for.
      const size_t last = integerIndex + written;
      if (last >= integerDigits_)
        putIntegerDigits(integerIndex == 0 ? 0 : last - integerDigits_, last - integerDigits_ + 1);
      ++integerIndex;
      break;
    }
    case Part::FractionDigit:
      if (fractionIndex == 0) {
        if (integerDigits_ == 0)
          putIntegerDigits(0, written);
        if (fractionLength > 0)
          *p++ = formats.DecimalSeparator;
      }
      if (fractionIndex < fractionLength)
        *p++ = fraction[fractionIndex];
      ++fractionIndex;
      break;
    case Part::Literal:
      std::memcpy(p, literals_.data() + token.offset, token.length);
      p += token.length;
      break;
    case Part::Exponent:
      *p++ = exponentLetter_;
      if (exponent < 0)
        *p++ = '-';
      else if (exponentPlus_)
        *p++ = '+';
      p = WriteExponentDigits(p, std::abs(exponent), exponentMinDigits_);
      break;
    }
  }
  return static_cast<size_t>(p - out);
}

size_t PictureFormat::FormatPlain(double value, char* out, const FormatSettings& formats) const {
  const double a = std::fabs(value);
  char* p = out;
  if (scientific_) {
    const size_t count = 1 + fractionDigits_;
    std::uint64_t significand = 0;
    int exponent = 0;
    if (a != 0 && !ExactSignificand(a, count, significand, exponent))
      return 0;
    if (std::signbit(value) && significand != 0)
      *p++ = '-';
    const std::uint64_t unit = kPowersOfTen[fractionDigits_];
    *p++ = static_cast<char>('0' + significand / unit);
    if (fractionDigits_ > 0) {
      *p++ = formats.DecimalSeparator;
      p = WriteDigits(p, significand % unit, fractionDigits_);
    }
    *p++ = exponentLetter_;
    if (exponent < 0)
      *p++ = '-';
    else if (exponentPlus_)
      *p++ = '+';
    const auto magnitude = static_cast<std::uint64_t>(std::abs(exponent));
    p = WriteDigits(p, magnitude, std::max(exponentMinDigits_, DigitCount(magnitude)));
    return static_cast<size_t>(p - out);
  }
  std::uint64_t truncated = 0;
  std::uint64_t rounded = 0;
  if (a != 0 && !ScaleExactly(a, static_cast<int>(fractionDigits_), truncated, rounded))
    return 0;
  if (std::signbit(value) && rounded != 0)
    *p++ = '-';
  const std::uint64_t unit = kPowersOfTen[fractionDigits_];
  const std::uint64_t integer = rounded / unit;
  p = WriteDigits(p, integer, DigitCount(integer));
  if (fractionDigits_ > 0) {
    *p++ = formats.DecimalSeparator;
    p = WriteDigits(p, rounded % unit, fractionDigits_);
  }
  return static_cast<size_t>(p - out);
}

std::string PictureFormat::Format(double value) const {
  std::string line;
  AppendRightAligned(line, value, 0);
  return line;
}

void PictureFormat::AppendRightAligned(std::string& line, double value, size_t width) const {
  if (maxLength_ <= kStackTextSize) {
    char text[kStackTextSize];
    kiv::AppendRightAligned(line, {text, Format(value, text)}, width);
  } else {
    std::string text(maxLength_, '\0');
    text.resize(Format(value, text.data()));
    kiv::AppendRightAligned(line, text, width);
  }
}

size_t FloatToText(double value, char* out, const FormatSettings& formats) {
  if (!std::isfinite(value))
    return WriteNonFinite(value, out);
  if (value == 0) {
    *out = '0';
    return 1;
  }
  constexpr size_t kDigits = 15;
  char scratch[32];
  int exponent = 0;
  const char* digits =
      ScientificDigits(std::fabs(value), kDigits, scratch, sizeof scratch, exponent);
  size_t count = kDigits;
  while (count > 1 && digits[count - 1] == '0')
    --count;

  char* p = out;
  if (value < 0)
    *p++ = '-';
  const auto put = [&p](const char* from, size_t length) {
    std::memcpy(p, from, length);
    p += length;
  };
  if (exponent >= -5 && exponent < static_cast<int>(kDigits)) {
    if (exponent < 0) {
      *p++ = '0';
      *p++ = formats.DecimalSeparator;
      for (int i = -1; i > exponent; --i)
        *p++ = '0';
      put(digits, count);
    } else {
      const auto integer = static_cast<size_t>(exponent) + 1;
      put(digits, std::min(count, integer));
      for (size_t i = count; i < integer; ++i)
        *p++ = '0';
      if (count > integer) {
        *p++ = formats.DecimalSeparator;
        put(digits + integer, count - integer);
      }
    }
  } else {
    *p++ = digits[0];
    if (count > 1) {
      *p++ = formats.DecimalSeparator;
      put(digits + 1, count - 1);
    }
    *p++ = 'E';
    if (exponent < 0)
      *p++ = '-';
    p = WriteExponentDigits(p, std::abs(exponent), 0);
  }
  return static_cast<size_t>(p - out);
}

std::string FloatToStr(double value) {
  char text[kGeneralNumberMaxLength];
  return std::string(text, FloatToText(value, text));
}

std::string FormatFloat(std::string_view picture, double value) {
  return PictureFormat(picture).Format(value);
}

void AppendRightAligned(std::string& line, std::string_view text, size_t width) {
  if (text.size() < width)
    line.append(width - text.size(), ' ');
  line += text;
}

void AppendShortest(std::string& text, float value) {
  char digits[32];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void AppendShortest(std::string& text, double value) {
  char digits[32];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::string ShortestText(float value) {
  std::string text;
  AppendShortest(text, value);
  return text;
}

std::string ShortestText(double value) {
  std::string text;
  AppendShortest(text, value);
  return text;
}

} // namespace kiv
