#include "core/Escalation.h"
#include "core/NumberFormat.h"
#include "framework/base/Tools.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace kiv {
namespace {

// The value's exact decimal digits rounded to precision places (half to even on the exact
// value), in the given notation.
std::string ExactDigits(double value, std::chars_format notation, int precision) {
  char buffer[400];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, notation, precision);
  if (error != std::errc{})
    throw std::range_error("NiceRoundNumber cannot write the value");
  return std::string(buffer, end);
}

double ParseDouble(const std::string& text) {
  double value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The floor of the decimal logarithm of a finite, non-zero magnitude, taken from its exact
// digits so that powers of ten are not misjudged.
int DecimalExponent(double magnitude) {
  const std::string digits = ExactDigits(magnitude, std::chars_format::scientific, 20);
  return std::stoi(digits.substr(digits.find('e') + 1));
}

// The value rounded to a multiple of 10 to the power k (half to even on the exact value), where
// e is its decimal exponent.
double RoundToPower(double value, int e, int k) {
  if (k <= 0)
    return ParseDouble(ExactDigits(value, std::chars_format::fixed, -k));
  if (e < k) // fewer digits than kept: rounds to 0 or to 10 to the power k
    return ParseDouble(ExactDigits(value / std::pow(10.0, k), std::chars_format::fixed, 0)) *
           std::pow(10.0, k);
  return ParseDouble(ExactDigits(value, std::chars_format::scientific, e - k));
}

// Exponent notation with two significant digits and an exponent of two digits at least:
// 1.2E+04, 4.6E-05.
std::string TwoDigitExponentText(double value) {
  std::string text = ExactDigits(value, std::chars_format::scientific, 1);
  const size_t e = text.find('e');
  text[e] = 'E';
  const size_t point = text.find('.');
  if (point != std::string::npos)
    text[point] = ProcessFormats().DecimalSeparator;
  return text;
}

bool IsBlank(char c) {
  return c == ' ';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsInteger32(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i]))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  std::uint64_t value = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data() + i, last, value, base);
  if (i == text.size() || error != std::errc{} || end != last)
    return false;
  if (base == 16)
    return value <= 0xFFFFFFFFu;
  return value <= (negative ? 2147483648u : 2147483647u);
}

bool IsDecimalNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i]))
    ++i;
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    ++i;
  size_t digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i)
    ++digits;
  if (i < text.size() && text[i] == '.')
    for (++i; i < text.size() && IsDigit(text[i]); ++i)
      ++digits;
  if (digits == 0)
    return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    size_t exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
      ++exponentDigits;
    if (exponentDigits == 0)
      return false;
  }
  return i == text.size();
}

} // namespace

std::string TTools::NiceRoundNumber(double iValue, int iPrecision) {
  return GuardEscalating(ClassName(), "NiceRoundNumber", [&]() -> std::string {
    if (std::isnan(iValue))
      return "NAN";
    if (std::isinf(iValue))
      return iValue > 0 ? "INF" : "-INF";
    if (iValue == 0)
      return "0.0";
    const double magnitude = std::fabs(iValue);
    const int e = DecimalExponent(magnitude);
    const int k = e - iPrecision + 1;
    if (k < -20 || k > 20) {
      const int places = std::clamp(iPrecision, 0, 300);
      const double rounded =
          ParseDouble(ExactDigits(iValue, std::chars_format::scientific, places));
      return FormatFloat("0.0e-0", rounded);
    }
    if (magnitude < 0.001 || magnitude >= 10000)
      return TwoDigitExponentText(iValue);
    return FloatToStr(RoundToPower(iValue, e, k));
  });
}

bool TTools::IsNumeric(std::string_view iStrToTest) {
  return IsInteger32(iStrToTest) || IsDecimalNumber(iStrToTest);
}

} // namespace kiv
