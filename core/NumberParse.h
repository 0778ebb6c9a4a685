#pragma once

// Strict number parsing in the model file's grammar, without the C locale.

#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace kiv {

// A word that is not a number of the required kind.
class InvalidNumericInput : public std::runtime_error {
public:
  InvalidNumericInput() : std::runtime_error("Invalid numeric input") {}
};

// Longest word read as a real or an integer; a longer word is not a number.
inline constexpr size_t kMaxRealWordLength = 64;
inline constexpr size_t kMaxIntegerWordLength = 32;

// The whole word as a real: an optional sign, decimal digits with an optional "." and an optional
// exponent ("E" or "e", optional sign, digits). No "inf", "nan" or hexadecimal. A value too small
// for a double reads as zero; one too large is not a number. Locale-independent.
bool ParseReal(std::string_view word, double& value);

// A word at the start of text that is followed by a character of code 32 or less, in one of the
// forms that most model files hold: the writer's column form, "d.dddde+dd" with an optional minus,
// or a plain decimal of up to 15 digits with an optional sign, "." and exponent whose value one
// exact multiplication or division by a power of ten gives ("3", "-0.0123457", "1.23457e+06").
// Returns its length, or 0 when text starts otherwise, which ParseReal then decides. Reads up to
// kFastRealReach characters. What it reads, ParseReal reads alike.
size_t ParseFastReal(const char* text, double& value);
inline constexpr size_t kFastRealReach = 23;

// The whole word as a 32-bit decimal integer with an optional sign.
bool ParseInteger(std::string_view word, std::int32_t& value);

// A real read from text in single precision. Throws std::overflow_error when it is too large.
float NarrowToSingle(double value);

} // namespace kiv
