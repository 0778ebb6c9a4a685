#pragma once

// Number texts: the general format, the picture formats ("0.0000e+00", "#####0.000") and the
// shortest text that reads back alike, which the tools show.

#include "core/FormatSettings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// Longest text FloatToText writes: "-1.23456789012345E-308" and "-0.0000123456789012345".
inline constexpr size_t kGeneralNumberMaxLength = 22;

// Most digit placeholders ("0" and "#") a picture may hold.
inline constexpr size_t kMaxPictureDigits = 100;

// A number picture in the manner of Delphi's FormatFloat, parsed once and applied to many values.
//
// Picture characters:
//   0        a digit, always written
//   #        a digit, written only when significant; a "#" between the first "0" and the decimal
//            point, or before the last "0" after it, behaves as a "0"
//   .        the decimal point (the first one; later ones are ignored), written as the
//            decimal separator of the formats, and only when a fraction digit follows
//   ,        before the decimal point: group the integer digits by three with the thousand
//            separator of the formats; the "," itself is not written
//   e+0 e-0 E+0 E-0
//            scientific notation (the first such group): "e" or "E" as written; "+" writes the
//            exponent's sign always, "-" only when negative; the number of 0s after the sign is
//            the least number of exponent digits
//   '...' "..."  literal text, written without the quotes
//   any other character is written as it stands.
// The value is rounded to the digits the picture has: in fixed notation to the placeholders
// after the point; in scientific notation to all placeholders as significant digits, with as
// many digits before the point as the picture has there (zero has the exponent 0). A tie rounds
// away from zero, judged on the exact binary value of the double (the double nearest 1.005 lies
// just below it, so "0.00" gives "1.00"). Integer digits beyond the picture's are all written
// (12345678 in "0.0" is "12345678.0"); fixed notation writes the double's exact decimal digits.
// A negative value is preceded by "-", before any literal text, unless it rounds to zero in the
// picture (-0.0001 in "0.000" is "0.000"). NaN is written "NAN", infinities "INF" and "-INF".
// An empty picture means the general number format (FloatToText). Sections separated by ";"
// (other pictures for negative values and zero) are not supported.
class PictureFormat {
public:
  // Throws std::invalid_argument for a ";", for a non-empty picture without digit placeholder
  // and for more than kMaxPictureDigits placeholders.
  explicit PictureFormat(std::string_view picture);

  // The picture as given.
  const std::string& Picture() const { return picture_; }

  // The longest text Format can write for any double; at least 4.
  size_t MaxLength() const { return maxLength_; }

  // Writes the value into out, which must hold MaxLength() characters; no terminating null.
  // Returns the length written.
  size_t Format(double value, char* out, const FormatSettings& formats = ProcessFormats()) const;

  // Format as a string, with the process-wide formats.
  std::string Format(double value) const;

  // Appends the value to line, right-aligned in a column of width characters (AppendRightAligned).
  void AppendRightAligned(std::string& line, double value, size_t width) const;

private:
  enum class Part : std::uint8_t { IntegerDigit, FractionDigit, Literal, Exponent };
  struct Token {
    Part part;
    std::uint32_t offset; // Literal: the text's place in literals_
    std::uint32_t length;
  };

  void Parse();
  // The pictures of model-file columns ("0.0000e+00", "#####0.000"): only digit placeholders,
  // every fraction digit written, one integer digit at least, no literals or grouping. Returns
  // 0 when the value is beyond the range of the exact integer rounding.
  size_t FormatPlain(double value, char* out, const FormatSettings& formats) const;

  std::string picture_;
  std::vector<Token> tokens_;
  std::string literals_;
  bool general_ = false;
  bool plain_ = false;
  bool scientific_ = false;
  bool grouping_ = false;
  bool exponentPlus_ = false;
  char exponentLetter_ = 'e';
  size_t exponentMinDigits_ = 0;
  size_t integerDigits_ = 0;     // placeholders before the point
  size_t integerMinDigits_ = 0;  // placeholders from the first "0" up to the point
  size_t fractionDigits_ = 0;    // placeholders after the point
  size_t fractionMinDigits_ = 0; // placeholders after the point up to the last "0"
  size_t maxLength_ = 0;
};

// The general number format (Delphi's FloatToStr): the value rounded to 15 significant digits,
// a tie away from zero on the exact value, trailing zeros and a trailing decimal point removed.
// Fixed notation when the rounded value is at least 0.00001 in magnitude and has at most 15
// digits before the point, else scientific: the mantissa with trailing zeros removed, "E", "-"
// for a negative exponent only, the exponent without leading zeros ("1.5E-6", "1E20").
// Zero and negative zero are "0"; NaN "NAN", infinities "INF" and "-INF".
// Writes at most kGeneralNumberMaxLength characters into out, no terminating null; returns the
// length.
size_t FloatToText(double value, char* out, const FormatSettings& formats = ProcessFormats());

// FloatToText as a string, with the process-wide formats.
std::string FloatToStr(double value);

// The value in a picture (PictureFormat), with the process-wide formats.
std::string FormatFloat(std::string_view picture, double value);

// Appends the shortest text that reads back as the same value in the value's own precision
// ("1.2" for the float nearest 1.2): numbers for people and for other programs, neither rounded
// nor padded. Always "." as decimal separator; "inf" and "nan" for the values that are no number.
void AppendShortest(std::string& text, float value);
void AppendShortest(std::string& text, double value);
std::string ShortestText(float value);
std::string ShortestText(double value);

// Appends text to line, preceded by blanks up to width characters; a longer text is appended
// as it is.
void AppendRightAligned(std::string& line, std::string_view text, size_t width);

// Appends the shortest text that reads back as the same value in the value's own precision
// (std::to_chars): 1.2f gives "1.2", 6212450.0 "6212450", the float 0.3f as a double
// "0.30000001192092896"; "inf", "-inf" and "nan" for values that are not finite. The same in
// every locale, for scripts and spreadsheets.
void AppendShortest(std::string& text, float value);
void AppendShortest(std::string& text, double value);

// AppendShortest's text as a string.
std::string ShortestText(float value);
std::string ShortestText(double value);

} // namespace kiv
