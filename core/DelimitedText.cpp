#include "core/DelimitedText.h"

namespace kiv {
namespace {

bool IsBlank(char c) {
  return c != '\0' && static_cast<unsigned char>(c) <= 32;
}

std::string TakeQuoted(std::string_view text, size_t& i, char quote) {
  std::string field;
  ++i;
  while (i < text.size()) {
    if (text[i] == quote) {
      if (i + 1 < text.size() && text[i + 1] == quote) {
        field += quote;
        i += 2;
        continue;
      }
      ++i;
      break;
    }
    field += text[i++];
  }
  return field;
}

} // namespace

std::vector<std::string> SplitDelimitedText(std::string_view text, char delimiter, char quote) {
  // A NUL ends the text, as it ends the line it came from.
  text = text.substr(0, text.find('\0'));
  std::vector<std::string> fields;
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i]))
    ++i;
  while (i < text.size()) {
    if (text[i] == quote) {
      fields.push_back(TakeQuoted(text, i, quote));
    } else {
      const size_t start = i;
      while (i < text.size() && !IsBlank(text[i]) && text[i] != delimiter)
        ++i;
      fields.emplace_back(text.substr(start, i - start));
    }
    while (i < text.size() && IsBlank(text[i]))
      ++i;
    if (i < text.size() && text[i] == delimiter) {
      if (i + 1 == text.size())
        fields.emplace_back();
      do
        ++i;
      while (i < text.size() && IsBlank(text[i]));
    }
  }
  return fields;
}

} // namespace kiv
