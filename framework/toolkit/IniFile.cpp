#include "framework/toolkit/IniFile.h"

#include "core/TextScanner.h"
#include "platform/AsciiText.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

namespace kiv {

namespace {

// Called for every section line (with an empty key) and key line in file order, with the
// section's and the key's names upper-cased and the section's name as written; true stops.
using Visitor = std::function<bool(const std::string& section, const std::string& key,
                                   std::string_view value, std::string_view sectionName)>;

void VisitLines(const std::string& fileName, const Visitor& visit) {
  if (!platform::RegularFileExists(fileName))
    return;
  std::optional<TextScanner> scanner;
  try {
    scanner.emplace(ByteSource::File(fileName));
  } catch (const std::system_error&) {
    return; // unreadable reads as empty, as with the platform's profile functions
  }
  std::string section;
  std::string sectionName;
  bool inSection = false;
  while (!scanner->AtEnd()) {
    const std::string line = scanner->ReadLine();
    const std::string_view text = platform::TrimmedBlanks(line);
    if (text.empty() || text.front() == ';')
      continue;
    if (text.front() == '[') {
      const auto close = text.find(']');
      sectionName = std::string(platform::TrimmedBlanks(
          text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
      section = platform::AsciiUpperCase(sectionName);
      inSection = true;
      if (visit(section, {}, {}, sectionName))
        return;
      continue;
    }
    const auto equals = text.find('=');
    if (!inSection || equals == std::string_view::npos)
      continue;
    if (visit(section, platform::AsciiUpperCase(platform::TrimmedBlanks(text.substr(0, equals))),
              platform::TrimmedBlanks(text.substr(equals + 1)), sectionName))
      return;
  }
}

std::optional<std::string> FindValue(const std::string& fileName, const std::string& section,
                                     const std::string& ident) {
  const std::string wantedSection = platform::AsciiUpperCase(platform::TrimmedBlanks(section));
  const std::string wantedKey = platform::AsciiUpperCase(platform::TrimmedBlanks(ident));
  std::optional<std::string> found;
  VisitLines(fileName, [&](const std::string& s, const std::string& key, std::string_view value,
                           std::string_view) {
    if (key.empty() || s != wantedSection || key != wantedKey)
      return false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    found = std::string(value);
    return true;
  });
  return found;
}

} // namespace

std::string TIniFile::ReadString(const std::string& ASection, const std::string& AIdent,
                                 const std::string& ADefault) const {
  return FindValue(FFileName, ASection, AIdent).value_or(ADefault);
}

int TIniFile::ReadInteger(const std::string& ASection, const std::string& AIdent,
                          int ADefault) const {
  const std::optional<std::string> value = FindValue(FFileName, ASection, AIdent);
  if (!value || value->empty())
    return ADefault;
  std::string_view digits = *value;
  bool negative = false;
  if (digits.front() == '-' || digits.front() == '+') {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  int base = 10;
  if (!digits.empty() && digits.front() == '$') {
    base = 16;
    digits.remove_prefix(1);
  } else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  }
  std::int64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
  if (digits.empty() || digits.front() == '-' || error != std::errc() ||
      end != digits.data() + digits.size())
    return ADefault;
  const std::int64_t number = negative ? -magnitude : magnitude;
  if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
    return ADefault;
  return static_cast<int>(number);
}

bool TIniFile::ValueExists(const std::string& ASection, const std::string& AIdent) const {
  return FindValue(FFileName, ASection, AIdent).has_value();
}

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  std::vector<std::string> seen;
  VisitLines(FFileName, [&](const std::string& section, const std::string& key, std::string_view,
                            std::string_view sectionName) {
    if (key.empty() && std::find(seen.begin(), seen.end(), section) == seen.end()) {
      seen.push_back(section);
      names.emplace_back(sectionName);
    }
    return false;
  });
  return names;
}

} // namespace kiv
