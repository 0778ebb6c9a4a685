#pragma once

// Small text and encoding helpers on bytes, without locale: ASCII case, trimming, hexadecimal,
// percent-encoding and JSON string literals.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kiv::platform {

// c with an ASCII letter a to z in upper case; every other byte unchanged.
char AsciiUpper(char c);

// c with an ASCII letter A to Z in lower case; every other byte unchanged.
char AsciiLower(char c);

// ASCII letters a to z in upper case; every other byte unchanged.
std::string AsciiUpperCase(std::string_view text);

// ASCII letters A to Z in lower case; every other byte unchanged.
std::string AsciiLowerCase(std::string_view text);

// True for a blank: a space or a tab.
bool IsBlank(char c);

// text without the bytes at its start and at its end for which isTrimmed holds.
std::string_view TrimmedIf(std::string_view text, bool (*isTrimmed)(char));

// text without the blanks at its start and at its end.
std::string_view TrimmedBlanks(std::string_view text);

// text without the bytes at its start for which isTrimmed holds.
std::string_view TrimmedStartIf(std::string_view text, bool (*isTrimmed)(char));

// text without the bytes at its end for which isTrimmed holds.
std::string_view TrimmedEndIf(std::string_view text, bool (*isTrimmed)(char));

// Hexadecimal digits "A" to "F" or "a" to "f".
enum class HexCase { Upper, Lower };

// The hexadecimal digit of value's low four bits.
char HexDigit(unsigned value, HexCase letters);

// Two hexadecimal digits.
std::string HexByte(std::uint8_t byte, HexCase letters);

// Two hexadecimal digits per byte.
std::string HexBytes(std::span<const std::uint8_t> bytes, HexCase letters);

// Every byte outside the unreserved characters of an address (A-Z a-z 0-9 - . _ ~) as "%"
// and two upper-case hexadecimal digits.
std::string PercentEncode(std::string_view text);

// A JSON string literal of text: quotes, backslashes and control characters escaped (\n, \r, \t,
// else \u00XX); UTF-8 passes unchanged.
std::string JsonString(std::string_view text);

} // namespace kiv::platform
