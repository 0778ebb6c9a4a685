#include "platform/testing/ChildProcess.h"
#include "testing/support/ScopedRegistry.h"
#include "tools/kivreg/RegFileText.h"

#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kiv {
namespace {

using platform::testing::ChildResult;
using platform::testing::kStreamLineEnd;

ChildResult Kivreg(const std::vector<std::string>& arguments) {
  return platform::testing::RunChild(KIV_KIVREG, arguments);
}

// text with every "\n" as the child's standard streams end lines.
std::string Lines(const std::string& text) {
  std::string lines;
  for (const char c : text)
    lines += c == '\n' ? kStreamLineEnd : std::string(1, c);
  return lines;
}

// Runs kivreg and expects success.
void Succeed(const std::vector<std::string>& arguments) {
  const ChildResult result = Kivreg(arguments);
  ASSERT_EQ(result.exitCode, 0) << result.standardError;
}

class KivregTest : public ::testing::Test {
protected:
  void TearDown() override { Kivreg({"delete", kRoot, "/f"}); }
  test::ScopedRegistry registry;
  // The test's own key, short and long.
  const std::string kRoot = "HKCU\\Software\\" + test::ScopedRegistry::TestKey();
  const std::string kLongRoot = "HKEY_CURRENT_USER\\Software\\" + test::ScopedRegistry::TestKey();
};

TEST_F(KivregTest, ATreeRoundTripsThroughExportAndImportByteForByte) {
  Succeed({"add", kRoot, "/v", "Left", "/t", "REG_DWORD", "/d", "300"});
  Succeed({"add", kRoot, "/ve", "/d", "quote \" and \\ backslash"});
  Succeed({"add", kRoot + "\\Forms\\Map", "/v", "Name", "/d",
           "Gr\xC3\xBC\xC3\x9F"
           "e \xF0\x9F\x98\x80"});
  Succeed({"add", kRoot + "\\Forms\\Map", "/v", "State", "/t", "REG_BINARY", "/d",
           std::string(100, 'a') + "00"});
  Succeed({"add", kRoot + "\\Forms\\Map", "/v", "Empty", "/t", "REG_BINARY"});
  Succeed({"add", kRoot + "\\Forms2", "/v", "Top", "/t", "REG_DWORD", "/d", "0xFFFFFFFF"});
  const std::string first = registry.folder() / "first.reg";
  const std::string second = registry.folder() / "second.reg";
  Succeed({"export", kRoot, first});
  Succeed({"delete", kRoot, "/f"});
  Succeed({"import", first});
  Succeed({"export", kLongRoot, second});

  const std::string bytes = test::ReadFile(first);
  EXPECT_EQ(test::ReadFile(second), bytes);
  EXPECT_EQ(bytes.substr(0, 6), std::string("\xFF\xFEW\0i\0", 6));
  EXPECT_NE(bytes.find(std::string("\r\0\n\0", 4)), std::string::npos);
}

TEST_F(KivregTest, EveryTypeOfARegistryExportImportsQueriesAndExportsAgain) {
  const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[" + kLongRoot +
                           "]\r\n"
                           "\"E\"=hex(2):25,00,50,00,25,00,00,00\r\n"
                           "\"L\"=hex(12345678):01\r\n"
                           "\"M\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
                           "\"N\"=hex(0):\r\n"
                           "\"Q\"=hex(b):2c,01,00,00,00,00,00,80\r\n\r\n";
  const std::string file = registry.folder() / "types.reg";
  const std::string again = registry.folder() / "again.reg";
  test::WriteFile(file, Utf16FileBytes(text));
  Succeed({"import", file});
  EXPECT_EQ(Kivreg({"query", kRoot}).standardOutput,
            Lines("\n" + kLongRoot +
                  "\n"
                  "    E    REG_EXPAND_SZ    %P%\n"
                  "    L    REG_UNKNOWN    01\n"
                  "    M    REG_MULTI_SZ    a\\0b\n"
                  "    N    REG_NONE    \n"
                  "    Q    REG_QWORD    0x800000000000012c\n\n"));
  Succeed({"export", kRoot, again});
  EXPECT_EQ(test::ReadFile(again), Utf16FileBytes(text));
}

TEST_F(KivregTest, AddWritesEveryTypeThatRegExeTakes) {
  Succeed({"add", kRoot, "/v", "E", "/t", "REG_EXPAND_SZ", "/d", "%PATH%;x"});
  Succeed({"add", kRoot, "/v", "M", "/t", "REG_MULTI_SZ", "/d", "one\\0two"});
  Succeed({"add", kRoot, "/v", "N", "/t", "REG_NONE", "/d", "a"});
  Succeed({"add", kRoot, "/v", "Q", "/t", "reg_qword", "/d", "0xFFFFFFFFFFFFFFFF"});
  Succeed({"add", kRoot, "/v", "S", "/t", "REG_MULTI_SZ", "/s", "#", "/d", "a#b#c"});
  Succeed({"add", kRoot, "/v", "T", "/t", "REG_QWORD", "/d", "300"});
  EXPECT_EQ(Kivreg({"query", kRoot}).standardOutput,
            Lines("\n" + kLongRoot +
                  "\n"
                  "    E    REG_EXPAND_SZ    %PATH%;x\n"
                  "    M    REG_MULTI_SZ    one\\0two\n"
                  "    N    REG_NONE    61000000\n"
                  "    Q    REG_QWORD    0xffffffffffffffff\n"
                  "    S    REG_MULTI_SZ    a\\0b\\0c\n"
                  "    T    REG_QWORD    0x12c\n\n"));
}

TEST_F(KivregTest, QueryPrintsAsRegExe) {
  Succeed({"add", kRoot, "/ve", "/d", "default"});
  Succeed({"add", kRoot, "/v", "Left", "/t", "REG_DWORD", "/d", "300"});
  Succeed({"add", kRoot, "/v", "State", "/t", "REG_BINARY", "/d", "00ff"});
  Succeed({"add", kRoot + "\\Forms"});
  EXPECT_EQ(Kivreg({"query", kRoot}).standardOutput, Lines("\n" + kLongRoot +
                                                           "\n"
                                                           "    (Default)    REG_SZ    default\n"
                                                           "    Left    REG_DWORD    0x12c\n"
                                                           "    State    REG_BINARY    00FF\n\n" +
                                                           kLongRoot + "\\Forms\n"));
  EXPECT_EQ(Kivreg({"QUERY", kRoot, "/V", "left"}).standardOutput,
            Lines("\n" + kLongRoot +
                  "\n"
                  "    Left    REG_DWORD    0x12c\n\n"));
  EXPECT_EQ(Kivreg({"query", kRoot, "-ve"}).standardOutput,
            Lines("\n" + kLongRoot +
                  "\n"
                  "    (Default)    REG_SZ    default\n\n"));
}

TEST_F(KivregTest, FailuresExitWithOneAndAMessage) {
  Succeed({"add", kRoot, "/v", "Left", "/t", "REG_DWORD", "/d", "1"});
  const std::string existing = registry.folder() / "existing.reg";
  test::WriteFile(existing, "x");
  const std::string notFound = "ERROR: The system was unable to find the specified registry key "
                               "or value.\n";
  const struct {
    std::vector<std::string> arguments;
    std::string message;
  } rows[] = {
      {{"query", kRoot + "\\Absent"}, notFound},
      {{"query", kRoot, "/v", "Absent"}, notFound},
      {{"delete", kRoot, "/v", "Absent", "/f"}, notFound},
      {{"delete", kRoot + "\\Absent", "/f"}, notFound},
      {{"export", kRoot + "\\Absent", existing + "2"}, notFound},
      {{"add", kRoot, "/v", "Q", "/t", "REG_LINK", "/d", "1"},
       "ERROR: Invalid type \"REG_LINK\": the store holds REG_SZ, REG_MULTI_SZ, REG_EXPAND_SZ, "
       "REG_DWORD, REG_QWORD, REG_BINARY and REG_NONE.\n"},
      {{"add", kRoot, "/v", "Q", "/t", "REG_QWORD", "/d", "18446744073709551616"},
       "ERROR: Invalid data \"18446744073709551616\" for REG_QWORD: a number from 0 to "
       "18446744073709551615, decimal or 0x hexadecimal.\n"},
      {{"add", kRoot, "/v", "M", "/t", "REG_MULTI_SZ", "/s", "::", "/d", "a::b"},
       "ERROR: Invalid syntax: /s takes one character.\n"},
      {{"add", kRoot, "/v", "M", "/s", ":", "/d", "a:b"},
       "ERROR: Invalid syntax: /s is for REG_MULTI_SZ.\n"},
      {{"add", kRoot, "/v", "D", "/t", "REG_DWORD", "/d", "4294967296"},
       "ERROR: Invalid data \"4294967296\" for REG_DWORD: a number from 0 to 4294967295, decimal "
       "or 0x hexadecimal.\n"},
      {{"add", kRoot, "/v", "B", "/t", "REG_BINARY", "/d", "0g"},
       "ERROR: Invalid data \"0g\" for REG_BINARY: pairs of hexadecimal digits.\n"},
      {{"add", kRoot, "/v", "Left", "/d", "x"},
       "ERROR: The value \"Left\" exists; add /f to overwrite it.\n"},
      {{"delete", kRoot}, "ERROR: Add /f to delete without a question; kivreg asks none.\n"},
      {{"export", kRoot, existing},
       "ERROR: The file \"" + existing + "\" exists; add /y to overwrite it.\n"},
      {{"query", "HKCR\\Software"},
       "ERROR: Invalid key name \"HKCR\\Software\": it begins with HKCU, HKLM, HKEY_CURRENT_USER "
       "or HKEY_LOCAL_MACHINE.\n"},
      {{"query", kRoot, "/v"}, "ERROR: Invalid syntax: /v.\n"},
      {{"copy", kRoot},
       "ERROR: Invalid syntax: the command is query, add, delete, export or import. Type "
       "\"kivreg --help\" for usage.\n"},
      {{"import", existing},
       "ERROR: The file \"" + existing +
           "\" is not a registry file: line 1: \"Windows Registry Editor Version 5.00\" or "
           "\"REGEDIT4\" expected.\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.arguments[0] + " " + row.arguments.back());
    const ChildResult result = Kivreg(row.arguments);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.standardError, Lines(row.message));
    EXPECT_EQ(result.standardOutput, "");
  }
  EXPECT_EQ(Kivreg({"query", kRoot, "/v", "Left"}).standardOutput,
            Lines("\n" + kLongRoot + "\n    Left    REG_DWORD    0x1\n\n"));
}

TEST_F(KivregTest, AMalformedImportChangesNothing) {
  Succeed({"add", kRoot, "/v", "Kept", "/d", "before"});
  const std::string file = registry.folder() / "broken.reg";
  test::WriteFile(file, "Windows Registry Editor Version 5.00\r\n\r\n"
                        "[" +
                            kRoot +
                            "\\New]\r\n\"A\"=\"1\"\r\n"
                            "[-" +
                            kRoot +
                            "]\r\n"
                            "[" +
                            kRoot + "]\r\n\"Kept\"=dword:1\r\n\"Bad\"=qword:1\r\n");
  const ChildResult result = Kivreg({"import", file});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError,
            Lines("ERROR: The file \"" + file +
                  "\" is not a registry file: line 8: \"qword:1\" is not a text, dword:, hex: or "
                  "hex(type): value.\n"));
  EXPECT_EQ(Kivreg({"query", kRoot}).standardOutput,
            Lines("\n" + kLongRoot + "\n    Kept    REG_SZ    before\n\n"));
}

TEST_F(KivregTest, ImportRefusesAFileBeyondItsLimit) {
  const std::string file = registry.folder() / "huge.reg";
  test::WriteFile(file, "");
  std::filesystem::resize_file(file, (std::uintmax_t{64} << 20) + 1);
  const ChildResult result = Kivreg({"import", file});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.standardError, Lines("ERROR: The file \"" + file +
                                        "\" is not a registry file: it is larger than 64 MiB.\n"));
}

TEST_F(KivregTest, ImportReadsUtf8AndDeletes) {
  Succeed({"add", kRoot + "\\Old", "/v", "Gone", "/d", "x"});
  Succeed({"add", kRoot, "/v", "Drop", "/d", "x"});
  const std::string file = registry.folder() / "utf8.reg";
  test::WriteFile(file, "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n[-" + kRoot +
                            "\\Old]\n\n[" + kRoot +
                            "]\n\"Drop\"=-\n\"Bytes\"=hex:01,\\\n  02\n"
                            "\"Name\"=\"Gr\xC3\xBC\xC3\x9F"
                            "e\"\n");
  Succeed({"import", file});
  EXPECT_EQ(Kivreg({"query", kRoot}).standardOutput,
            Lines("\n" + kLongRoot +
                  "\n"
                  "    Bytes    REG_BINARY    0102\n"
                  "    Name    REG_SZ    Gr\xC3\xBC\xC3\x9F"
                  "e\n\n"));
}

TEST(Kivreg, HelpNamesEveryCommand) {
  const ChildResult result = Kivreg({"--help"});
  EXPECT_EQ(result.exitCode, 0);
  for (const char* command : {"query", "add", "delete", "export", "import"})
    EXPECT_NE(result.standardOutput.find(std::string("kivreg ") + command), std::string::npos);
}

} // namespace
} // namespace kiv
