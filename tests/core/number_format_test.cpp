#include "core/NumberFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace kiv {
namespace {

using Limits = std::numeric_limits<double>;

// The shortest text that reads back as the value, to name a value in a failure.
std::string Repr(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

struct PictureCase {
  const char* picture;
  double value;
  const char* expected;
};

void ExpectPictures(const std::vector<PictureCase>& cases) {
  for (const PictureCase& c : cases)
    EXPECT_EQ(FormatFloat(c.picture, c.value), c.expected)
        << "picture \"" << c.picture << "\", value " << Repr(c.value);
}

TEST(NumberPicture, ModelFilePictures) {
  ExpectPictures({
      {"0.0000e+00", 1.5, "1.5000e+00"},
      {"0.0000e+00", -1, "-1.0000e+00"},
      {"0.0000e+00", 100000, "1.0000e+05"},
      {"0.0000e+00", 100, "1.0000e+02"},
      {"0.0000e+00", 0.5, "5.0000e-01"},
      {"0.0000e+00", 0, "0.0000e+00"},
      {"#####0.000", 1.5, "1.500"},
      {"#####0.000", -1, "-1.000"},
      {"#####0.000", 100000, "100000.000"},
      {"#####0.000", 12345678, "12345678.000"},
      {"#####0.000", 0.25, "0.250"},
      {"#####0.000", 0, "0.000"},
      {"######0.00", 1.5, "1.50"},
      {"######0.00", -1234.5678, "-1234.57"},
      {"0.0e-0", 1e25, "1.0e25"},
      {"0.0e-0", 1.5e-7, "1.5e-7"},
      {"0.0e-0", 0, "0.0e0"},
      {"0", 7, "7"},
      {"0.0", -7.25, "-7.3"},
  });
}

TEST(NumberPicture, RoundsTiesAwayFromZeroJudgedOnTheExactValue) {
  ExpectPictures({
      // Exact ties, whichever way ties-to-even would have gone.
      {"0", 0.5, "1"},
      {"0", 1.5, "2"},
      {"0", 2.5, "3"},
      {"0", -2.5, "-3"},
      {"0", 4503599627370494.5, "4503599627370495"},
      {"0.00", 0.125, "0.13"},
      {"0.00", 0.375, "0.38"},
      {"0.00", -0.125, "-0.13"},
      {"0e+00", 2.5, "3e+00"},
      {"0e+00", 25, "3e+01"},
      {"0e+00", 250, "3e+02"},
      {"0e+00", 0.25, "3e-01"},
      {"0e+00", 45, "5e+01"},
      {"0e+00", 0.75, "8e-01"},
      {"0.0e+00", 1250, "1.3e+03"},
      {"0.0e-0", 0.125, "1.3e-1"},
      {"0.0000e+00", 0.0390625, "3.9063e-02"},
      {"0.0000e+00", 1.03125, "1.0313e+00"},
      // Decimal ties that the double holds just below or above.
      {"0.00", 1.005, "1.00"},              // 1.00499999999999989...
      {"0.00", 2.675, "2.67"},              // 2.67499999999999982...
      {"0.00", 0.045, "0.04"},              // 0.04499999999999999833...
      {"0.00", -0.005, "-0.01"},            // 0.00500000000000000010...
      {"#####0.0000", 99.99995, "99.9999"}, // 99.99994999999999834...
      {"0.000000e+00", 99.99995, "9.999995e+01"},
      // One step off a tie.
      {"0", std::nextafter(2.5, 0.0), "2"},
      {"0", std::nextafter(0.5, 1.0), "1"},
      {"0.00", std::nextafter(0.125, 0.0), "0.12"},
      {"0.00", std::nextafter(0.125, 1.0), "0.13"},
      {"0e+00", std::nextafter(250.0, 0.0), "2e+02"},
      {"0e+00", 13, "1e+01"}, // an odd multiple of 2^(k-1), but no tie
      // Rounding up into a new digit.
      {"0.0000e+00", 9.99995, "1.0000e+01"},
      {"0.0000e+00", 99.99995, "1.0000e+02"},
      {"#####0.000", 999.9996, "1000.000"},
      {"0", 9.5, "10"},
      {"0e+00", 9.5, "1e+01"},
      {"0.0", -9.96, "-10.0"},
  });
}

TEST(NumberPicture, NegativeValueRoundingToZeroHasNoSign) {
  ExpectPictures({
      {"0.000", -0.0001, "0.000"},
      {"0.000", -0.0004999, "0.000"},
      {"0.000", -0.0005, "-0.001"},
      {"0.000", -0.0, "0.000"},
      {"0", -0.4, "0"},
      {"0", -0.5, "-1"},
      {"#", -0.4, ""},
      {"######0.00", -0.004, "0.00"},
      {"0.0000e+00", -0.0, "0.0000e+00"},
      {"0.0000e+00", -1e-300, "-1.0000e-300"},
  });
}

TEST(NumberPicture, ExtremeMagnitudes) {
  ExpectPictures({
      {"0.0000e+00", 1e-300, "1.0000e-300"},
      {"0.0000e+00", 1e300, "1.0000e+300"},
      {"0.0000e+00", -Limits::max(), "-1.7977e+308"},
      {"0.0000e+00", Limits::min(), "2.2251e-308"},
      {"0.0000e+00", Limits::denorm_min(), "4.9407e-324"},
      {"0.0e-0", 1e-300, "1.0e-300"},
      {"#####0.000", 1e-300, "0.000"},
      {"#####0.000", 1e22, "10000000000000000000000.000"},
      // Fixed notation writes the double's own digits.
      {"#####0.000", 1e23, "99999999999999991611392.000"},
  });
  const std::string max = FormatFloat("#####0.000", Limits::max());
  EXPECT_EQ(max.size(), 309u + 4u);
  EXPECT_EQ(max.substr(0, 17), "17976931348623157");
}

TEST(NumberPicture, PlaceholdersLiteralsGroupingAndExponents) {
  ExpectPictures({
      {"#.##", 0.5, ".5"},
      {"#.##", 0, ""},
      {"0.##", 1, "1"},
      {"0.##", 1.5, "1.5"},
      {"0.#0", 1.5, "1.50"},
      {"#0#.0", 1.5, "01.5"},
      {"000", 7, "007"},
      {"000", 12345, "12345"},
      {".00", 12.5, "12.50"},
      {".00", 0.5, ".50"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0", 999, "999"},
      {"#,##0", -1000, "-1,000"},
      {"#,##0", 0, "0"},
      {"'x='0.0' m'", 2.25, "x=2.3 m"},
      {"\"x=\"0.0", -2, "-x=2.0"},
      {"0.0 m", 1.25, "1.3 m"},
      {"'a;b'0", 3, "a;b3"},
      {"0'abc", 1, "1abc"},
      {"0 sec", 5, "5 sec"},
      {"0.00E+000", 1.5, "1.50E+000"},
      {"0.0E-0", 12345, "1.2E4"},
      {"0.0e+0", 0.001, "1.0e-3"},
      {"0e+", 5, "5e+0"},
      {"0.0000e+00", 1e100, "1.0000e+100"},
      {"00.00e+00", 1.5, "15.00e-01"},
      {"00.00e+00", 0, "00.00e+00"},
      {".00e+00", 1.5, ".15e+01"},
      {"0.##e+00", 1.5, "1.5e+00"},
      {"0.##e+00", 2, "2e+00"},
  });
}

TEST(NumberPicture, NonFiniteValues) {
  for (const char* picture : {"0.0000e+00", "#####0.000", ""}) {
    EXPECT_EQ(FormatFloat(picture, Limits::quiet_NaN()), "NAN") << picture;
    EXPECT_EQ(FormatFloat(picture, Limits::infinity()), "INF") << picture;
    EXPECT_EQ(FormatFloat(picture, -Limits::infinity()), "-INF") << picture;
  }
}

// Restores the process-wide formats a test changes.
class ProcessFormatsGuard {
public:
  ProcessFormatsGuard() : saved_(ProcessFormats()) {}
  ~ProcessFormatsGuard() { ProcessFormats() = saved_; }

private:
  FormatSettings saved_;
};

TEST(NumberPicture, SeparatorsComeFromTheFormats) {
  FormatSettings formats;
  formats.DecimalSeparator = ',';
  formats.ThousandSeparator = '.';
  char text[64];
  const PictureFormat grouped("#,##0.00");
  EXPECT_EQ(std::string(text, grouped.Format(1234.5, text, formats)), "1.234,50");

  ProcessFormatsGuard guard;
  ProcessFormats().DecimalSeparator = ',';
  EXPECT_EQ(FormatFloat("0.0000e+00", 1.5), "1,5000e+00");
  EXPECT_EQ(FormatFloat("#####0.000", -0.5), "-0,500");
  EXPECT_EQ(FloatToStr(0.5), "0,5");
  EXPECT_EQ(FloatToStr(1.5e-6), "1,5E-6");
}

TEST(NumberPicture, RejectsPicturesItCannotHonour) {
  struct Case {
    std::string picture;
    std::string message;
  };
  const Case cases[] = {
      {"0.00;-0.00", "Number picture sections (;) are not supported: \"0.00;-0.00\""},
      {"'n/a'", "Number picture without digit placeholder: \"'n/a'\""},
      {"e+00", "Number picture without digit placeholder: \"e+00\""},
      {"0." + std::string(100, '0'),
       "Number picture with more than 100 digit placeholders: \"0." + std::string(100, '0') + "\""},
  };
  for (const Case& c : cases) {
    try {
      PictureFormat format(c.picture);
      ADD_FAILURE() << "accepted " << c.picture;
    } catch (const std::invalid_argument& e) {
      EXPECT_EQ(e.what(), c.message);
    }
  }
  EXPECT_NO_THROW(PictureFormat("0." + std::string(99, '0')));
}

TEST(NumberPicture, EmptyPictureIsTheGeneralFormat) {
  EXPECT_EQ(FormatFloat("", 1.5), "1.5");
  EXPECT_EQ(FormatFloat("", 1e20), "1E20");
  EXPECT_EQ(PictureFormat("").MaxLength(), kGeneralNumberMaxLength);
}

TEST(NumberPicture, MaxLengthBoundsEveryText) {
  const double values[] = {Limits::max(),         -Limits::max(),         Limits::denorm_min(),
                           -Limits::denorm_min(), -1.23456789012345e-300, -0.5,
                           -Limits::infinity(),   Limits::quiet_NaN()};
  for (const char* picture : {"0.0000e+00", "#####0.000", "######0.00", "0.0e-0", "0", "#",
                              "#,##0.00", "'<'0.0E+00000'>'", "00.00e+00", ""}) {
    const PictureFormat format(picture);
    for (double value : values) {
      // One byte past the bound must stay untouched.
      std::vector<char> text(format.MaxLength() + 1, '\x7f');
      const size_t length = format.Format(value, text.data());
      EXPECT_LE(length, format.MaxLength()) << picture << " " << Repr(value);
      EXPECT_EQ(text.back(), '\x7f') << picture << " " << Repr(value);
    }
  }
  // The bounds are tight for the longest texts.
  const PictureFormat grouped("#,##0.00");
  EXPECT_EQ(grouped.Format(-Limits::max()).size(), grouped.MaxLength());
  const PictureFormat scientific("0.0000e+00");
  EXPECT_EQ(scientific.Format(-Limits::max()).size(), scientific.MaxLength());
  EXPECT_EQ(FloatToStr(-1.23456789012345e-300).size(), kGeneralNumberMaxLength);
  EXPECT_EQ(FloatToStr(-0.0000123456789012345).size(), kGeneralNumberMaxLength);
}

TEST(NumberGeneral, GeneralFormat) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {-1, "-1"},
      {2, "2"},
      {static_cast<double>(0.3f), "0.300000011920929"},
      {0, "0"},
      {-0.0, "0"},
      {0.5, "0.5"},
      {0.1, "0.1"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {100, "100"},
      {123.456, "123.456"},
      {-12345.678, "-12345.678"},
      {1e-5, "0.00001"},
      {std::nextafter(1e-5, 0.0), "0.00001"}, // rounds up to 0.00001 before the choice
      {9.99999999999e-6, "9.99999999999E-6"},
      {1.5e-6, "1.5E-6"},
      {-1.5e-7, "-1.5E-7"},
      {1e-300, "1E-300"},
      {999999999999999, "999999999999999"},
      {99999999999999.99, "100000000000000"},
      {999999999999999.9, "1E15"},
      {1e15, "1E15"},
      {1e20, "1E20"},
      {123456789012345678.0, "1.23456789012346E17"},
      {1234567890123445.0, "1.23456789012345E15"}, // a tie at the 15th digit
      {123456789012.3125, "123456789012.313"},     // likewise
      {Limits::max(), "1.79769313486232E308"},
      {Limits::denorm_min(), "4.94065645841247E-324"},
      {Limits::quiet_NaN(), "NAN"},
      {-Limits::infinity(), "-INF"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FloatToStr(c.value), c.expected) << Repr(c.value);
}

TEST(NumberColumn, PadsShortTextsAndKeepsLongOnes) {
  struct Case {
    const char* text;
    size_t width;
    const char* expected;
  };
  const Case cases[] = {
      {"1.5", 6, "|   1.5"},
      {"12345678.000", 12, "|12345678.000"},
      {"123456789.000", 12, "|123456789.000"},
      {"", 3, "|   "},
      {"abc", 0, "|abc"},
  };
  for (const Case& c : cases) {
    std::string line = "|";
    AppendRightAligned(line, c.text, c.width);
    EXPECT_EQ(line, c.expected);
  }

  const PictureFormat columns("0.0000e+00");
  std::string line;
  for (double value : {100.0, -1.0, 0.5, 100000.0})
    columns.AppendRightAligned(line, value, 12);
  EXPECT_EQ(line, "  1.0000e+02 -1.0000e+00  5.0000e-01  1.0000e+05");
  line.clear();
  PictureFormat("#####0.000").AppendRightAligned(line, 12345678, 12);
  EXPECT_EQ(line, "12345678.000");
}

TEST(NumberShortest, WritesTheShortestTextOfTheValuesOwnPrecision) {
  std::string text = "|";
  AppendShortest(text, 1.2f);
  text += ' ';
  AppendShortest(text, 1.2);
  text += ' ';
  AppendShortest(text, 6212450.0);
  text += ' ';
  AppendShortest(text, static_cast<double>(0.3f));
  EXPECT_EQ(text, "|1.2 1.2 6212450 0.30000001192092896");
  EXPECT_EQ(ShortestText(-0.1f), "-0.1");
  EXPECT_EQ(ShortestText(1e300), "1e+300");
  EXPECT_EQ(ShortestText(-Limits::infinity()), "-inf");
}

// The exact decimal expansion of |value|: its significant digits and the exponent of the first.
struct Expansion {
  std::string digits;
  int exponent;
};

Expansion ExactExpansion(double value) {
  // 800 digits hold the exact expansion of any double (at most 767 significant digits).
  char text[820];
  const char* end =
      std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 800)
          .ptr;
  Expansion expansion{std::string(1, text[0]) + std::string(text + 2, text + 802), 0};
  std::from_chars(text + 804, end, expansion.exponent);
  if (text[803] == '-')
    expansion.exponent = -expansion.exponent;
  return expansion;
}

// The reference for the randomised checks: the value rounded to a multiple of 10^k, ties away
// from zero, by plain decimal arithmetic on the value's exact expansion.
struct Rounded {
  std::string text; // readable by std::from_chars
  int exponent;     // of the first digit; meaningless for zero
  bool zero;
};

Rounded RoundExactly(double value, int k) {
  const Expansion exact = ExactExpansion(value);
  const long keep = exact.exponent - k + 1; // digits of weight 10^k and above
  if (value == 0 || keep < 0)
    return {"0", 0, true};
  const auto keptCount = static_cast<size_t>(keep);
  std::string kept = exact.digits.substr(0, keptCount);
  const char next = keptCount < exact.digits.size() ? exact.digits[keptCount] : '0';
  if (next >= '5') {
    size_t i = kept.size();
    while (i > 0 && kept[i - 1] == '9')
      kept[--i] = '0';
    if (i == 0)
      kept.insert(kept.begin(), '1');
    else
      ++kept[i - 1];
  }
  const size_t first = kept.find_first_not_of('0');
  if (first == std::string::npos)
    return {"0", 0, true};
  const int length = static_cast<int>(kept.size() - first);
  return {(value < 0 ? "-" : "") + kept + "e" + std::to_string(k), k + length - 1, false};
}

// The double a text reads as; infinite beyond the largest double.
double Parse(const std::string& text) {
  double value = Limits::quiet_NaN();
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  EXPECT_EQ(end, text.data() + text.size()) << "cannot read " << text;
  if (ec == std::errc::result_out_of_range)
    return text.front() == '-' ? -Limits::infinity() : Limits::infinity();
  EXPECT_TRUE(ec == std::errc()) << "cannot read " << text;
  return value;
}

// Finite doubles of all kinds: any bit pattern, everyday magnitudes, binary fractions that are
// decimal ties, and decimal ties that the nearest double misses.
std::vector<double> RandomValues() {
  std::mt19937_64 engine(20240611);
  std::vector<double> values;
  while (values.size() < 20000) {
    const double sign = engine() % 2 ? -1.0 : 1.0;
    switch (engine() % 4) {
    case 0: {
      const double value = std::bit_cast<double>(engine());
      if (std::isfinite(value))
        values.push_back(value);
      break;
    }
    case 1:
      values.push_back(sign *
                       std::pow(10.0, std::uniform_real_distribution<double>(-8, 12)(engine)));
      break;
    case 2:
      values.push_back(sign * std::ldexp(static_cast<double>(engine() % 2000000),
                                         -static_cast<int>(engine() % 14)));
      break;
    default: {
      const std::string text = std::to_string(engine() % 100000) + "." +
                               std::to_string(engine() % 10000) + "5e" +
                               std::to_string(static_cast<int>(engine() % 12) - 6);
      values.push_back(sign * Parse(text));
      break;
    }
    }
  }
  return values;
}

TEST(NumberPicture, RandomValuesReadBackAsTheValueRoundedToThePicture) {
  struct Picture {
    const char* picture;
    int significant; // 0 for fixed notation
    int decimals;
  };
  const Picture pictures[] = {{"0.0000e+00", 5, 0},           {"0.0e-0", 2, 0},     {"0e+00", 1, 0},
                              {"#####0.000", 0, 3},           {"######0.00", 0, 2}, {"0", 0, 0},
                              {"0.00000000000000e+00", 15, 0}};
  const std::vector<double> values = RandomValues();
  for (const Picture& p : pictures) {
    const PictureFormat format(p.picture);
    int failures = 0;
    for (double value : values) {
      const int k =
          p.significant > 0 ? ExactExpansion(value).exponent - (p.significant - 1) : -p.decimals;
      const Rounded expected = RoundExactly(value, k);
      const std::string text = format.Format(value);
      const bool ok = Parse(text) == Parse(expected.text) &&
                      (text.front() == '-') == (value < 0 && !expected.zero);
      if (!ok && ++failures <= 5)
        ADD_FAILURE() << p.picture << " " << Repr(value) << ": " << text << ", expected "
                      << expected.text;
    }
  }
}

TEST(NumberGeneral, RandomValuesReadBackAsTheValueRoundedTo15Digits) {
  int failures = 0;
  for (double value : RandomValues()) {
    const std::string text = FloatToStr(value);
    if (value == 0) {
      EXPECT_EQ(text, "0");
      continue;
    }
    const Rounded expected = RoundExactly(value, ExactExpansion(value).exponent - 14);
    const bool fixed = expected.exponent >= -5 && expected.exponent <= 14;
    const std::string mantissa = text.substr(0, text.find('E'));
    const bool trimmed = mantissa.find('.') == std::string::npos ||
                         (mantissa.back() != '0' && mantissa.back() != '.');
    const bool ok = Parse(text) == Parse(expected.text) &&
                    (text.find('E') == std::string::npos) == fixed && trimmed;
    if (!ok && ++failures <= 5)
      ADD_FAILURE() << Repr(value) << ": " << text << ", expected " << expected.text;
  }
}

} // namespace
} // namespace kiv
