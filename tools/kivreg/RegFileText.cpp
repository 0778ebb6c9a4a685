#include "tools/kivreg/RegFileText.h"

#include "platform/AsciiText.h"

#include <charconv>

namespace kiv {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
// The registry editor breaks hex lines so that none is longer than this, its "\" included.
constexpr std::size_t kHexLineWidth = 80;

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '\\' || c == '"')
      quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string ValueLine(const RegFileValue& value) {
  std::string line = value.name.empty() ? "@=" : Quoted(value.name) + "=";
  switch (value.type) {
  case platform::SettingsType::String:
    return line + Quoted(value.text) + "\r\n";
  case platform::SettingsType::Integer: {
    line += "dword:";
    for (int shift = 28; shift >= 0; shift -= 4)
      line += platform::HexDigit(value.number >> shift, platform::HexCase::Lower);
    return line + "\r\n";
  }
  case platform::SettingsType::Binary:
    break;
  }
  line += "hex:";
  std::string text;
  for (std::size_t i = 0; i < value.bytes.size(); ++i) {
    line += platform::HexByte(value.bytes[i], platform::HexCase::Lower);
    if (i + 1 < value.bytes.size()) {
      line += ",";
      if (line.size() + 3 >= kHexLineWidth) {
        text += line + "\\\r\n";
        line = "  ";
      }
    }
  }
  return text + line + "\r\n";
}

// Reads one text between quotes at text[position] (the quote), undoing the escapes.
std::string Unquoted(std::string_view line, std::size_t& position, int lineNumber) {
  std::string text;
  for (++position; position < line.size(); ++position) {
    char c = line[position];
    if (c == '"') {
      ++position;
      return text;
    }
    if (c == '\\' && position + 1 < line.size())
      c = line[++position];
    text += c;
  }
  throw RegFileError("line " + std::to_string(lineNumber) + ": a text without its closing quote");
}

std::vector<std::uint8_t> HexBytes(std::string_view hex, int lineNumber) {
  std::vector<std::uint8_t> bytes;
  std::size_t position = 0;
  while (position < hex.size()) {
    const std::size_t end = std::min(hex.find(',', position), hex.size());
    const std::string_view digits = platform::TrimmedBlanks(hex.substr(position, end - position));
    unsigned byte = 0;
    const auto [stop, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), byte, 16);
    if (digits.empty() || digits.size() > 2 || error != std::errc() ||
        stop != digits.data() + digits.size())
      throw RegFileError("line " + std::to_string(lineNumber) + ": \"" + std::string(digits) +
                         "\" is not a hexadecimal byte");
    bytes.push_back(static_cast<std::uint8_t>(byte));
    position = end + 1;
  }
  return bytes;
}

RegFileValue ParseValue(std::string_view line, int lineNumber) {
  RegFileValue value;
  std::size_t position = 0;
  if (line.front() == '@')
    position = 1;
  else if (line.front() == '"')
    value.name = Unquoted(line, position, lineNumber);
  else
    throw RegFileError("line " + std::to_string(lineNumber) +
                       ": a value line must begin with \" or @");
  if (position >= line.size() || line[position] != '=')
    throw RegFileError("line " + std::to_string(lineNumber) + ": \"=\" expected after the name");
  const std::string_view data = line.substr(position + 1);
  if (data == "-") {
    value.remove = true;
  } else if (!data.empty() && data.front() == '"') {
    std::size_t textPosition = position + 1;
    value.text = Unquoted(line, textPosition, lineNumber);
    if (textPosition != line.size())
      throw RegFileError("line " + std::to_string(lineNumber) + ": text after the closing quote");
  } else if (data.starts_with("dword:")) {
    const std::string_view digits = data.substr(6);
    const auto [stop, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value.number, 16);
    if (digits.empty() || digits.size() > 8 || error != std::errc() ||
        stop != digits.data() + digits.size())
      throw RegFileError("line " + std::to_string(lineNumber) + ": \"" + std::string(digits) +
                         "\" is not a dword of 8 hexadecimal digits");
    value.type = platform::SettingsType::Integer;
  } else if (data.starts_with("hex:")) {
    value.type = platform::SettingsType::Binary;
    value.bytes = HexBytes(data.substr(4), lineNumber);
  } else {
    throw RegFileError("line " + std::to_string(lineNumber) + ": \"" + std::string(data) +
                       "\" is not a text, dword: or hex: value");
  }
  return value;
}

void AppendUtf8(std::string& text, char32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | (code >> 6));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | (code >> 12));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (code >> 18));
    text += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The code points of UTF-8 text; throws RegFileError for an invalid sequence.
std::u32string CodePoints(std::string_view text) {
  std::u32string codes;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80         ? 1
                       : (lead >> 5) == 6  ? 2
                       : (lead >> 4) == 14 ? 3
                       : (lead >> 3) == 30 ? 4
                                           : 0;
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size())
      throw RegFileError("the text is not valid UTF-8");
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80)
        throw RegFileError("the text is not valid UTF-8");
      code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
      throw RegFileError("the text is not valid UTF-8");
    codes += code;
    i += static_cast<std::size_t>(length);
  }
  return codes;
}

} // namespace

std::string RegFileText(const std::vector<RegFileKey>& keys) {
  std::string text = std::string(kHeader) + "\r\n\r\n";
  for (const RegFileKey& key : keys) {
    text += (key.remove ? "[-" : "[") + key.name + "]\r\n";
    for (const RegFileValue& value : key.values)
      text += value.remove ? (value.name.empty() ? "@" : Quoted(value.name)) + "=-\r\n"
                           : ValueLine(value);
    text += "\r\n";
  }
  return text;
}

std::vector<RegFileKey> ParseRegFile(std::string_view text) {
  std::vector<RegFileKey> keys;
  bool headerSeen = false;
  int lineNumber = 0;
  std::string line;
  int lineStart = 0;
  std::size_t position = 0;
  while (position < text.size()) {
    std::size_t end = std::min(text.find('\n', position), text.size());
    std::string_view part = text.substr(position, end - position);
    position = end + 1;
    ++lineNumber;
    if (!part.empty() && part.back() == '\r')
      part.remove_suffix(1);
    if (line.empty())
      lineStart = lineNumber;
    part = platform::TrimmedStartIf(part, platform::IsBlank);
    line += part;
    // A hex value goes on over lines that end in "\".
    if (!line.empty() && line.back() == '\\' && line.find("=hex:") != std::string::npos) {
      line.pop_back();
      continue;
    }
    // Swapped out rather than moved, which GCC's optimiser takes for a read of an unset string.
    std::string complete;
    complete.swap(line);
    if (complete.empty() || complete.front() == ';')
      continue;
    if (!headerSeen) {
      if (complete != kHeader)
        throw RegFileError("line " + std::to_string(lineStart) + ": \"" + std::string(kHeader) +
                           "\" expected");
      headerSeen = true;
    } else if (complete.front() == '[') {
      if (complete.back() != ']' || complete.size() < 3)
        throw RegFileError("line " + std::to_string(lineStart) + ": a key must end with \"]\"");
      RegFileKey key;
      key.remove = complete[1] == '-';
      key.name = complete.substr(key.remove ? 2 : 1, complete.size() - (key.remove ? 3 : 2));
      keys.push_back(std::move(key));
    } else if (keys.empty()) {
      throw RegFileError("line " + std::to_string(lineStart) + ": a value before any key");
    } else {
      keys.back().values.push_back(ParseValue(complete, lineStart));
    }
  }
  if (!line.empty())
    throw RegFileError("line " + std::to_string(lineStart) + ": the file ends inside a value");
  if (!headerSeen)
    throw RegFileError("line 1: \"" + std::string(kHeader) + "\" expected");
  return keys;
}

std::string Utf16FileBytes(std::string_view text) {
  std::string bytes = "\xFF\xFE";
  const auto put = [&bytes](char32_t unit) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  };
  for (const char32_t code : CodePoints(text)) {
    if (code < 0x10000) {
      put(code);
    } else {
      put(0xD800 + ((code - 0x10000) >> 10));
      put(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
  }
  return bytes;
}

std::string TextOfFileBytes(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF"))
    bytes.remove_prefix(3);
  if (!bytes.starts_with("\xFF\xFE")) {
    CodePoints(bytes);
    return std::string(bytes);
  }
  if (bytes.size() % 2 != 0)
    throw RegFileError("the UTF-16 text has an odd number of bytes");
  std::string text;
  for (std::size_t i = 2; i < bytes.size(); i += 2) {
    const auto unit = [&bytes](std::size_t at) {
      return static_cast<char32_t>(static_cast<unsigned char>(bytes[at]) |
                                   static_cast<unsigned char>(bytes[at + 1]) << 8);
    };
    char32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (code >= 0xD800 && code < 0xE000) {
      throw RegFileError("the UTF-16 text has a lone surrogate");
    }
    AppendUtf8(text, code);
  }
  return text;
}

} // namespace kiv
