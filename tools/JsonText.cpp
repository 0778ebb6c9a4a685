#include "tools/JsonText.h"

namespace kiv {

std::string JsonString(std::string_view text) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
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
      if (byte < 0x20) {
        json += "\\u00";
        json += kDigits[byte >> 4];
        json += kDigits[byte & 0xF];
      } else {
        json += c;
      }
    }
  }
  return json + "\"";
}

std::string JsonStringArray(const std::vector<std::string>& texts) {
  std::string json = "[";
  for (size_t i = 0; i < texts.size(); ++i)
    json += (i == 0 ? "" : ", ") + JsonString(texts[i]);
  return json + "]";
}

} // namespace kiv
