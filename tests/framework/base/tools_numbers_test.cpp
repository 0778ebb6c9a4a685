#include "framework/base/Tools.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kiv {
namespace {

TEST(NiceRoundNumber, Table) {
  struct Row {
    double value;
    int precision;
    const char* expected;
  };
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (const Row& row : {
           Row{0.0, 3, "0.0"},          Row{0.0, 7, "0.0"},          // zero whatever the digits
           Row{0.0005, 3, "5.0E-04"},                                // small: exponent notation
           Row{12500, 3, "1.2E+04"},                                 // large: tie to even
           Row{9999.4, 2, "10000"},                                  // a multiple of 100
           Row{1e25, 3, "1.0e25"},      Row{1e-30, 2, "1.0e-30"},    // far exponents
           Row{123.456, 3, "123"},      Row{0.012345, 3, "0.0123"},  //
           Row{0.125, 2, "0.12"},       Row{0.375, 2, "0.38"},       // exact ties to even
           Row{125, 2, "120"},          Row{135, 2, "140"},          //
           Row{-123.456, 3, "-123"},    Row{-0.0005, 3, "-5.0E-04"}, // negatives keep the sign
           Row{-1e25, 3, "-1.0e25"},    Row{-125, 2, "-120"},        //
           Row{std::nan(""), 3, "NAN"}, Row{kInf, 3, "INF"},         Row{-kInf, 3, "-INF"},
       })
    EXPECT_EQ(TTools::NiceRoundNumber(row.value, row.precision), row.expected)
        << row.value << " with " << row.precision;
}

TEST(IsNumeric, Table) {
  struct Row {
    const char* text;
    bool numeric;
  };
  for (const Row& row : {
           Row{"12", true},         Row{"  12", true},         Row{"+12", true},
           Row{"-12", true},        Row{"$FF", true},          Row{"-$10", true},
           Row{"0x1a", true},       Row{"0X1A", true},         Row{"x1A", true},
           Row{"1.5", true},        Row{".5", true},           Row{"5.", true},
           Row{"1.5e3", true},      Row{"1E-2", true},         Row{"-2.5E+10", true},
           Row{"2147483648", true}, // beyond 32 bits, still a number
           Row{"", false},          Row{"   ", false},         Row{"+", false},
           Row{"1,5", false},       Row{"inf", false},         Row{"nan", false},
           Row{"e5", false},        Row{"1e", false},          Row{"12abc", false},
           Row{"$G", false},        Row{"0x100000000", false}, Row{"0x", false},
       })
    EXPECT_EQ(TTools::IsNumeric(row.text), row.numeric) << '"' << row.text << '"';
}

} // namespace
} // namespace kiv
