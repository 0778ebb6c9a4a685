// The number formatter against the parser: a double written in one of the model file's pictures
// (or the general format) reads back to the value rounded as the picture says. The first byte
// chooses the picture (bits 0-2) and how the rest gives the double (bit 3): its eight bytes, or
// decimal text, which reaches ties such as 2.5 and 0.125 far sooner.
//
// The expected value comes from an independent rounding: the double's exact decimal digits
// (std::to_chars with more digits than any double has) rounded half away from zero by looking at
// the first digit dropped, which on exact digits is the whole rule, ties included.
#include "core/NumberFormat.h"
#include "core/NumberParse.h"
#include "fuzz/FuzzSupport.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace kiv::fuzz {
namespace {

struct Picture {
  const char* text;
  bool scientific;
  int digits; // significant digits when scientific, else digits after the point
};

// The general format keeps 15 significant digits.
constexpr Picture kPictures[] = {
    {"0.0000e+00", true, 5}, {"#####0.000", false, 3}, {"######0.00", false, 2},
    {"0.0e-0", true, 2},     {"", true, 15},
};
constexpr int kPictureCount = sizeof kPictures / sizeof kPictures[0];

// More than the 767 significant digits a double can have.
constexpr int kExactDigits = 800;

struct Decimal {
  std::string digits; // significant digits, the first not 0 unless the value is 0
  int exponent = 0;   // of the first digit
};

Decimal ExactDigits(double magnitude) {
  static char text[kExactDigits + 32];
  const auto result = std::to_chars(text, text + sizeof text, magnitude,
                                    std::chars_format::scientific, kExactDigits);
  Decimal decimal;
  const char* e =
      static_cast<const char*>(std::memchr(text, 'e', static_cast<size_t>(result.ptr - text)));
  decimal.digits.push_back(text[0]);
  decimal.digits.append(text + 2, static_cast<size_t>(e - (text + 2)));
  std::from_chars(e[1] == '+' ? e + 2 : e + 1, result.ptr, decimal.exponent);
  return decimal;
}

// Keeps the first kept digits, half away from zero; kept may be 0 or less (fixed notation of a
// small value).
Decimal Rounded(const Decimal& exact, int kept) {
  if (kept < 0)
    return {"0", 0};
  const char dropped = static_cast<size_t>(kept) < exact.digits.size()
                           ? exact.digits[static_cast<size_t>(kept)]
                           : '0';
  Decimal rounded{exact.digits.substr(0, static_cast<size_t>(kept)), exact.exponent};
  if (dropped >= '5') {
    size_t i = rounded.digits.size();
    while (i > 0 && rounded.digits[i - 1] == '9')
      rounded.digits[--i] = '0';
    if (i == 0) {
      rounded.digits.insert(rounded.digits.begin(), '1');
      ++rounded.exponent;
    } else {
      ++rounded.digits[i - 1];
    }
  }
  if (rounded.digits.empty())
    return {"0", 0};
  return rounded;
}

// The rounded value as a double; empty when it is beyond the double range.
std::optional<double> Expected(double value, const Picture& picture) {
  if (value == 0)
    return 0.0;
  const Decimal exact = ExactDigits(std::fabs(value));
  const int kept = picture.scientific ? picture.digits : exact.exponent + 1 + picture.digits;
  const Decimal rounded = Rounded(exact, kept);
  std::string text =
      (value < 0 ? "-0." : "0.") + rounded.digits + "e" + std::to_string(rounded.exponent + 1);
  double result = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
  if (error == std::errc::result_out_of_range)
    return std::nullopt;
  if (error != std::errc() || end != text.data() + text.size())
    Fault("the test's own rounding wrote " + text);
  return result;
}

std::string Describe(double value, const Picture& picture, const std::string& text) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return "\"" + std::string(picture.text) + "\" wrote " + std::string(digits, end) + " as \"" +
         text + "\"";
}

void Check(double value, const Picture& picture) {
  // A buffer of exactly the promised length, so that the sanitizer sees any write beyond it.
  const PictureFormat format(picture.text);
  const size_t room = format.MaxLength();
  const auto buffer = std::make_unique<char[]>(room);
  const size_t length = format.Format(value, buffer.get());
  if (length > room)
    Fault("longer than MaxLength");
  const std::string text(buffer.get(), length);
  double parsed = 0;
  const bool read = ParseReal(text, parsed);

  if (!std::isfinite(value)) {
    const char* name = std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF";
    if (text != name || read)
      Fault(Describe(value, picture, text));
    return;
  }
  const std::optional<double> expected = Expected(value, picture);
  if (!expected) {
    if (read) // beyond the double range is not a number
      Fault(Describe(value, picture, text) + ", read beyond the double range");
    return;
  }
  if (text.size() > kMaxRealWordLength) {
    if (read)
      Fault(Describe(value, picture, text) + ", a word longer than a number may be was read");
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc() || end != text.data() + text.size())
      Fault(Describe(value, picture, text) + ", not a number");
  } else if (!read) {
    Fault(Describe(value, picture, text) + ", does not read");
  }
  if (parsed != *expected)
    Fault(Describe(value, picture, text) + ", reads back other than rounded");
  if (*expected == 0 && text.front() == '-')
    Fault(Describe(value, picture, text) + ", a sign on zero");
  if (*expected < 0 && text.front() != '-')
    Fault(Describe(value, picture, text) + ", no sign");
}

} // namespace
} // namespace kiv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  using namespace kiv::fuzz;
  if (size == 0)
    return 0;
  const Picture& picture = kPictures[(data[0] & 7) % kPictureCount];
  const bool text = (data[0] & 8) != 0;
  const char* rest = reinterpret_cast<const char*>(data) + 1;
  double value = 0;
  if (text) {
    const auto [end, error] = std::from_chars(rest, rest + (size - 1), value);
    if (error != std::errc())
      return 0;
  } else {
    std::uint64_t bits = 0;
    std::memcpy(&bits, rest, std::min<size_t>(size - 1, sizeof bits));
    std::memcpy(&value, &bits, sizeof value);
  }
  Check(value, picture);
  return 0;
}
