#include "core/FileNames.h"
#include "framework/base/Tools.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace kiv {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string TTools::IntToStrZeros(std::int64_t AInteger, int ADigits) {
  std::string text = std::to_string(AInteger);
  // Zeros put before a minus sign would make the text unreadable as a number.
  const size_t digitsStart = AInteger < 0 ? 1 : 0;
  if (ADigits > 0 && text.size() < static_cast<size_t>(ADigits))
    text.insert(digitsStart, static_cast<size_t>(ADigits) - text.size(), '0');
  return text;
}

std::string TTools::GetEnumNameAsString(std::span<const std::string_view> ANames, int AValue) {
  if (AValue < 0 || static_cast<size_t>(AValue) >= ANames.size())
    throw std::out_of_range("Enumeration value " + std::to_string(AValue) + " has no name");
  return std::string(ANames[static_cast<size_t>(AValue)]);
}

std::string TTools::BoolToStr(bool ABoolean) {
  return ABoolean ? "True" : "False";
}

std::string TTools::HexByte(std::uint8_t AValue) {
  return platform::HexByte(AValue, platform::HexCase::Upper);
}

std::string TTools::HexWord(std::uint16_t AValue) {
  return HexByte(static_cast<std::uint8_t>(AValue >> 8)) +
         HexByte(static_cast<std::uint8_t>(AValue & 0xFF));
}

std::string TTools::HexCardinal(std::uint32_t AValue) {
  std::string text = HexWord(static_cast<std::uint16_t>(AValue >> 16)) +
                     HexWord(static_cast<std::uint16_t>(AValue & 0xFFFF));
  return text.substr(std::min(text.find_first_not_of('0'), text.size()));
}

std::string TTools::HexBytes(std::span<const std::uint8_t> ABytes) {
  return platform::HexBytes(ABytes, platform::HexCase::Upper);
}

std::string TTools::LegalFileName(std::string_view AFileName) {
  std::string name;
  for (const char c : AFileName) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
        c == '-' || c == '.')
      name += platform::AsciiLower(c);
    else if (!IsContinuationByte(c)) // one "_" per character, however many bytes it has
      name += '_';
  }
  return name;
}

std::string TTools::LegalPathName(std::string_view) {
  return {};
}

std::string TTools::CreateBackupFileName(const std::string& AFileName) {
  const std::string extension = ExtractFileExt(AFileName);
  if (extension.empty())
    return {};
  return ChangeFileExt(AFileName, ".orig_" + extension.substr(1));
}

std::string TTools::GetURLFromString(std::string_view AString) {
  const size_t start = AString.find("www.");
  if (start == std::string_view::npos)
    return "url_is_not_found_in_string:_" + std::string(AString);
  return std::string(AString.substr(start, 255));
}

std::string TTools::SubString(int ASubStringNumber, std::string_view AInput, char ADelimiter) {
  if (ASubStringNumber < 1)
    throw std::out_of_range("List index out of bounds (" + std::to_string(ASubStringNumber - 1) +
                            ")");
  // Runs of the delimiter count as one, and every delimiter becomes a line break.
  std::string text;
  for (const char c : AInput) {
    if (c != ADelimiter)
      text += c;
    else if (text.empty() || text.back() != ADelimiter)
      text += ADelimiter;
  }
  std::vector<std::string> items;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != ADelimiter && text[end] != '\n' && text[end] != '\r')
      ++end;
    items.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  const auto index = static_cast<size_t>(ASubStringNumber - 1);
  return index < items.size() ? items[index] : std::string();
}

} // namespace kiv
