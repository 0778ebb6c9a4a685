#include "platform/AsciiText.h"

#include <gtest/gtest.h>

namespace kiv::platform {
namespace {

// Only the ASCII letters change: UTF-8 and every other byte pass as they are.
TEST(AsciiText, CaseChangesOnlyAsciiLetters) {
  EXPECT_EQ(AsciiUpperCase("korlog.exe\xc3\xa4"), "KORLOG.EXE\xc3\xa4");
  EXPECT_EQ(AsciiLowerCase("HKCU\\Software\\Kiv_9\xc3\x84@[`{"),
            "hkcu\\software\\kiv_9\xc3\x84@[`{");
  EXPECT_EQ(AsciiUpper('z'), 'Z');
  EXPECT_EQ(AsciiUpper('{'), '{');
  EXPECT_EQ(AsciiLower('A'), 'a');
  EXPECT_EQ(AsciiLower('@'), '@');
}

TEST(AsciiText, TrimmingTakesOnlyTheChosenBytesAtBothEnds) {
  struct Row {
    std::string_view text;
    std::string_view blanks;   // TrimmedBlanks
    std::string_view controls; // TrimmedIf on every byte up to the space
  };
  const Row rows[] = {
      {" \tkey = value\t ", "key = value", "key = value"},
      {"\r\n name \x01", "\r\n name \x01", "name"},
      {"a \t b", "a \t b", "a \t b"},
      {" \t ", "", ""},
      {"", "", ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(TrimmedBlanks(row.text), row.blanks) << row.text;
    EXPECT_EQ(TrimmedIf(row.text, [](char c) { return static_cast<unsigned char>(c) <= 32; }),
              row.controls)
        << row.text;
  }
  EXPECT_EQ(TrimmedEndIf(" a \r", [](char c) { return c == '\r' || IsBlank(c); }), " a");
  EXPECT_EQ(TrimmedStartIf(" \ta ", IsBlank), "a ");
}

TEST(AsciiText, HexDigitsInEitherCase) {
  const std::uint8_t bytes[] = {0x01, 0xAB, 0x00, 0xFF};
  EXPECT_EQ(HexBytes(bytes, HexCase::Upper), "01AB00FF");
  EXPECT_EQ(HexBytes(bytes, HexCase::Lower), "01ab00ff");
  EXPECT_EQ(HexBytes({}, HexCase::Upper), "");
  EXPECT_EQ(HexByte(10, HexCase::Upper), "0A");
  EXPECT_EQ(HexDigit(0x1C, HexCase::Lower), 'c'); // the low four bits
}

TEST(AsciiText, PercentEncodingKeepsOnlyUnreservedBytes) {
  EXPECT_EQ(PercentEncode("Az09-._~"), "Az09-._~");
  EXPECT_EQ(PercentEncode(" #%?&=+/\xc3\xa9"), "%20%23%25%3F%26%3D%2B%2F%C3%A9");
  EXPECT_EQ(PercentEncode("a b\r\n;$(x)&=?%~._-Z9"), "a%20b%0D%0A%3B%24%28x%29%26%3D%3F%25~._-Z9");
}

TEST(AsciiText, JsonStringsEscapeQuotesBackslashesAndControls) {
  struct Row {
    std::string text;
    const char* json;
  };
  for (const Row& row : {Row{"plain", "\"plain\""}, Row{"a\"b\\c", "\"a\\\"b\\\\c\""},
                         Row{"C:\\runs\r\n\t", "\"C:\\\\runs\\r\\n\\t\""},
                         Row{std::string("\x00\x01\x1f\x7f", 4), "\"\\u0000\\u0001\\u001f\x7f\""},
                         Row{"\xC3\x84", "\"\xC3\x84\""}})
    EXPECT_EQ(JsonString(row.text), row.json) << row.text;
}

} // namespace
} // namespace kiv::platform
