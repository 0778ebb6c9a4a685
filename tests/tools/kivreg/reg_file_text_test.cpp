#include "tools/kivreg/RegFileText.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";

std::string ParseFailure(const std::string& text) {
  try {
    ParseRegFile(text);
  } catch (const RegFileError& e) {
    return e.what();
  }
  return "parsed";
}

TEST(RegFileText, MalformedTextsNameTheirLine) {
  const struct {
    std::string text;
    std::string message;
  } rows[] = {
      {"REGEDIT5\r\n", "line 1: \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\" expected"},
      {"", "line 1: \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\" expected"},
      {kHeader + "\"A\"=\"1\"\r\n", "line 3: a value before any key"},
      {kHeader + "[HKCU\\A\r\n", "line 3: a key must end with \"]\""},
      {kHeader + "[HKCU\\A]\r\nA=\"1\"\r\n", "line 4: a value line must begin with \" or @"},
      {kHeader + "[HKCU\\A]\r\n\"A\"\r\n", "line 4: \"=\" expected after the name"},
      {kHeader + "[HKCU\\A]\r\n\"A=\"1\r\n", "line 4: \"=\" expected after the name"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=\"1\r\n", "line 4: a text without its closing quote"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=\"1\"x\r\n", "line 4: text after the closing quote"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=dword:123456789\r\n",
       "line 4: \"123456789\" is not a dword of 8 hexadecimal digits"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=dword:\r\n",
       "line 4: \"\" is not a dword of 8 hexadecimal digits"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=hex:01,,02\r\n", "line 4: \"\" is not a hexadecimal byte"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=hex:01,\\\r\n  123\r\n",
       "line 4: \"123\" is not a hexadecimal byte"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=hex:01,\\\r\n", "line 4: the file ends inside a value"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=qword:1\r\n",
       "line 4: \"qword:1\" is not a text, dword:, hex: or hex(type): value"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=hex(x):00\r\n",
       "line 4: \"x\" is not a type of 1 to 8 hexadecimal digits"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=hex():00\r\n",
       "line 4: \"\" is not a type of 1 to 8 hexadecimal digits"},
      {kHeader + "[HKCU\\A]\r\n\"A\"=hex(4):01,00\r\n", "line 4: a REG_DWORD holds 4 bytes, not 2"},
      {"REGEDIT4\r\n[HKCU\\A]\r\n\"A\"=hex(2):c3,00\r\n", "line 3: the text is not valid UTF-8"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ParseFailure(row.text), row.message) << row.text;
}

TEST(RegFileText, AValueOverManyLinesAfterALongNameReadsWhole) {
  // A reader that looked for "=hex:" in the whole value again at each of its lines would compare
  // the long name's "=" signs for every line: hours for this text, which a linear reader takes
  // in a blink (the 260 KB file of a report took 19 seconds).
  const std::string name(1 << 20, '=');
  constexpr int kLines = 200000;
  std::string text = kHeader + "[HKCU\\A]\r\n\"" + name + "\"=hex:00,\\\r\n";
  for (int i = 0; i < kLines; ++i)
    text += "  ab,\\\r\n";
  text += "  ff\r\n";
  const std::vector<RegFileKey> keys = ParseRegFile(text);
  ASSERT_EQ(keys.size(), 1U);
  ASSERT_EQ(keys[0].values.size(), 1U);
  const RegFileValue& value = keys[0].values[0];
  EXPECT_EQ(value.name, name);
  std::vector<std::uint8_t> bytes(kLines + 2, 0xAB);
  bytes.front() = 0x00;
  bytes.back() = 0xFF;
  EXPECT_EQ(value.bytes, bytes);
}

TEST(RegFileText, ACommentEndingInABackslashIsOneLine) {
  const std::vector<RegFileKey> keys = ParseRegFile(kHeader + "[HKCU\\A]\r\n"
                                                              "; \"A\"=hex:01,\\\r\n"
                                                              "\"B\"=\"kept\"\r\n");
  ASSERT_EQ(keys.size(), 1U);
  ASSERT_EQ(keys[0].values.size(), 1U);
  EXPECT_EQ(keys[0].values[0].name, "B");
  EXPECT_EQ(keys[0].values[0].text, "kept");
}

TEST(RegFileText, FilesAsTheRegistryEditorReadsThemRead) {
  const std::string value = "\"A\"=hex:01,02\r\n";
  const struct {
    const char* shape;
    std::string text;
  } rows[] = {
      {"blanks after the header",
       "Windows Registry Editor Version 5.00  \r\n[HKCU\\K]\r\n" + value},
      {"blanks after the key", kHeader + "[HKCU\\K] \t\r\n" + value},
      {"blanks after the value", kHeader + "[HKCU\\K]\r\n\"A\"=hex:01,02 \r\n"},
      {"blanks after the backslash", kHeader + "[HKCU\\K]\r\n\"A\"=hex:01,\\ \r\n  02\r\n"},
      {"the older format", "REGEDIT4\r\n\r\n[HKCU\\K]\r\n" + value},
      {"the older format with blanks", "REGEDIT4 \n[HKCU\\K]\n" + value},
  };
  RegFileKey expected{"HKCU\\K", false, {}};
  expected.values.push_back({"A", false, platform::SettingsType::Binary, "", 0, {1, 2}});
  for (const auto& row : rows) {
    SCOPED_TRACE(row.shape);
    try {
      EXPECT_EQ(ParseRegFile(row.text), std::vector<RegFileKey>{expected});
    } catch (const RegFileError& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

TEST(RegFileText, TextRoundTripsThroughParsing) {
  RegFileKey key{"HKEY_CURRENT_USER\\A", false, {}};
  key.values.push_back({"", false, platform::SettingsType::String, "say \"hi\" \\", 0, {}});
  key.values.push_back({"D", false, platform::SettingsType::Integer, "", 0x12c, {}});
  key.values.push_back(
      {"B", false, platform::SettingsType::Binary, "", 0, std::vector<std::uint8_t>(40, 0xAB)});
  key.values.push_back({"X", true, platform::SettingsType::String, "", 0, {}});
  const std::vector<RegFileKey> keys = {key, {"HKEY_CURRENT_USER\\A\\B", true, {}}};
  const std::string text = RegFileText(keys);
  EXPECT_EQ(text.substr(0, text.find("\"B\"")),
            kHeader +
                "[HKEY_CURRENT_USER\\A]\r\n@=\"say \\\"hi\\\" \\\\\"\r\n\"D\"=dword:0000012c\r\n");
  EXPECT_EQ(RegFileText(ParseRegFile(text)), text);
}

TEST(RegFileText, ValuesOfEveryTypeReadAndWriteAsTheRegistryEditorWritesThem) {
  using platform::SettingsType;
  const std::string values = "\"E\"=hex(2):25,00,50,00,25,00,00,00\r\n"
                             "\"M\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
                             "\"Q\"=hex(b):2c,01,00,00,00,00,00,80\r\n"
                             "\"N\"=hex(0):\r\n"
                             "\"L\"=hex(12345678):01\r\n";
  const std::string text = kHeader + "[HKEY_CURRENT_USER\\A]\r\n" + values + "\r\n";
  RegFileKey key{"HKEY_CURRENT_USER\\A", false, {}};
  key.values = {
      {"E", false, SettingsType::Other, "", 0, {'%', 0, 'P', 0, '%', 0, 0, 0}, 2},
      {"M", false, SettingsType::Other, "", 0, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}, 7},
      {"Q", false, SettingsType::Other, "", 0, {0x2c, 1, 0, 0, 0, 0, 0, 0x80}, 11},
      {"N", false, SettingsType::Other, "", 0, {}, 0},
      {"L", false, SettingsType::Other, "", 0, {1}, 0x12345678},
  };
  EXPECT_EQ(ParseRegFile(text), std::vector<RegFileKey>{key});
  EXPECT_EQ(RegFileText({key}), text);

  // hex(1), hex(3) and hex(4) are the typed values that the registry editor writes otherwise.
  EXPECT_EQ(RegFileText(ParseRegFile(kHeader + "[HKEY_CURRENT_USER\\A]\r\n"
                                               "\"S\"=hex(1):61,00,00,00\r\n"
                                               "\"B\"=hex(3):01\r\n"
                                               "\"D\"=hex(4):2c,01,00,00\r\n")),
            kHeader + "[HKEY_CURRENT_USER\\A]\r\n\"S\"=\"a\"\r\n\"B\"=hex:01\r\n"
                      "\"D\"=dword:0000012c\r\n\r\n");
  // The older format's texts have one byte a character.
  EXPECT_EQ(RegFileText(ParseRegFile("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n"
                                     "\"E\"=hex(2):25,50,25,00\r\n"
                                     "\"M\"=hex(7):61,00,62,00,00\r\n"
                                     "\"Q\"=hex(b):2c,01,00,00,00,00,00,80\r\n"
                                     "\"N\"=hex(0):\r\n"
                                     "\"L\"=hex(12345678):01\r\n")),
            text);
}

TEST(RegFileText, ATextWithALineBreakOrNulRoundTripsAsItsBytes) {
  const struct {
    std::string text;
    std::string line;
  } rows[] = {
      {"a\r\nb", "@=hex(1):61,00,0d,00,0a,00,62,00,00,00\r\n"},
      {"\n", "@=hex(1):0a,00,00,00\r\n"},
      {std::string("\0\xC3\xA4", 3), "@=hex(1):00,00,e4,00,00,00\r\n"},
  };
  for (const auto& row : rows) {
    RegFileKey key{"HKEY_CURRENT_USER\\A", false, {}};
    key.values.push_back({"", false, platform::SettingsType::String, row.text, 0, {}});
    const std::string text = RegFileText({key});
    EXPECT_EQ(text, kHeader + "[HKEY_CURRENT_USER\\A]\r\n" + row.line + "\r\n");
    const std::vector<RegFileKey> keys = ParseRegFile(text);
    ASSERT_EQ(keys.size(), 1U);
    ASSERT_EQ(keys[0].values.size(), 1U);
    EXPECT_EQ(keys[0].values[0].type, platform::SettingsType::String);
    EXPECT_EQ(keys[0].values[0].text, row.text);
  }
  EXPECT_EQ(ParseFailure(kHeader + "[HKCU\\A]\r\n@=hex(1):61\r\n"),
            "line 4: the UTF-16 text has an odd number of bytes");
}

TEST(RegFileText, Utf16WithByteOrderMarkAndUtf8) {
  const std::string text = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\r\n";
  const std::string utf16 = Utf16FileBytes(text);
  EXPECT_EQ(utf16, std::string("\xFF\xFE"
                               "a\0\xE4\0\xAC\x20\x3D\xD8\x00\xDE\r\0\n\0",
                               16));
  EXPECT_EQ(TextOfFileBytes(utf16), text);
  EXPECT_EQ(TextOfFileBytes("\xEF\xBB\xBF" + text), text);
  EXPECT_EQ(TextOfFileBytes(text), text);
  for (const std::string& bad :
       {std::string("\xFF\xFE"
                    "a"),
        std::string("\xFF\xFE\x00\xDC", 4), std::string("\xC3"), std::string("\xED\xA0\x80")}) {
    EXPECT_THROW(TextOfFileBytes(bad), RegFileError);
  }
}

} // namespace
} // namespace kiv
