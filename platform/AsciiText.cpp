#include "platform/AsciiText.h"

namespace kiv::platform {
namespace {

bool IsUnreserved(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

} // namespace

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string AsciiUpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = AsciiUpper(c);
  return result;
}

std::string AsciiLowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    c = AsciiLower(c);
  return result;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimmedIf(std::string_view text, bool (*isTrimmed)(char)) {
  return TrimmedEndIf(TrimmedStartIf(text, isTrimmed), isTrimmed);
}

std::string_view TrimmedBlanks(std::string_view text) {
  return TrimmedIf(text, IsBlank);
}

std::string_view TrimmedStartIf(std::string_view text, bool (*isTrimmed)(char)) {
  while (!text.empty() && isTrimmed(text.front()))
    text.remove_prefix(1);
  return text;
}

std::string_view TrimmedEndIf(std::string_view text, bool (*isTrimmed)(char)) {
  while (!text.empty() && isTrimmed(text.back()))
    text.remove_suffix(1);
  return text;
}

char HexDigit(unsigned value, HexCase letters) {
  constexpr std::string_view kUpper = "0123456789ABCDEF";
  constexpr std::string_view kLower = "0123456789abcdef";
  return (letters == HexCase::Upper ? kUpper : kLower)[value & 0xF];
}

std::string HexByte(std::uint8_t byte, HexCase letters) {
  return {HexDigit(byte >> 4U, letters), HexDigit(byte, letters)};
}

std::string HexBytes(std::span<const std::uint8_t> bytes, HexCase letters) {
  std::string text;
  text.reserve(2 * bytes.size());
  for (const std::uint8_t byte : bytes)
    text += HexByte(byte, letters);
  return text;
}

std::string PercentEncode(std::string_view text) {
  std::string encoded;
  for (const char c : text) {
    if (IsUnreserved(c)) {
      encoded += c;
    } else {
      encoded += '%';
      encoded += HexByte(static_cast<std::uint8_t>(c), HexCase::Upper);
    }
  }
  return encoded;
}

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    switch (c) {
    case '"':
      json += "\\\"";
      break;
    case '\\':
      json += "\\\\";
      break;
    case '\n':
      json += "\\n";
      break;
    case '\r':
      json += "\\r";
      break;
    case '\t':
      json += "\\t";
      break;
    default:
      if (static_cast<unsigned char>(c) < 0x20)
        json += "\\u00" + HexByte(static_cast<std::uint8_t>(c), HexCase::Lower);
      else
        json += c;
    }
  }
  return json + "\"";
}

} // namespace kiv::platform
