#include "framework/toolkit/IniFile.h"
#include "testing/support/TempDir.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

// A help index in the shape the framework reads, with the cases the reader must keep apart.
const char* const kHelpIni = "; index of the help pages\r\n"
                             "orphan=before any section\r\n"
                             "[Forms]\r\n"
                             "  TMainForm = main.htm ; not a comment\r\n"
                             "TQuoted=\"  spaced  \"\r\n"
                             "Count=12\r\n"
                             "Hex=$1F\r\n"
                             "Negative=-7\r\n"
                             "Trailing=12abc\r\n"
                             "Large=4294967296\r\n"
                             "TMainForm=second.htm\r\n"
                             "Empty=\r\n"
                             "no equals sign\n"
                             "[ Wiki ]\n"
                             "Base=https://example.org/wiki\n"
                             "[forms]\n"
                             "Late=found in a repeated section\n";

class TIniFileTest : public testing::Test {
protected:
  TIniFileTest() { test::WriteFile(folder / "Help.ini", kHelpIni); }
  test::TempDir folder;
  TIniFile ini{folder / "Help.ini"};
};

TEST_F(TIniFileTest, ReadsStringsAsTheProfileFunctionsDo) {
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"Forms", "TMainForm", "main.htm ; not a comment"},
      {"FORMS", "tmainform", "main.htm ; not a comment"},
      {"Forms", "TQuoted", "  spaced  "},
      {"Forms", "Empty", ""},
      {"Wiki", "Base", "https://example.org/wiki"},
      {"Forms", "Late", "found in a repeated section"},
      {"Forms", "orphan", "default"},
      {"Forms", "no equals sign", "default"},
      {"Missing", "TMainForm", "default"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), c.value) << c.section << "/" << c.key;
}

TEST_F(TIniFileTest, ReadsIntegersOrTheDefault) {
  struct Case {
    const char* key;
    int value;
  };
  for (const Case c :
       {Case{"Count", 12}, Case{"Hex", 31}, Case{"Negative", -7}, Case{"Trailing", 99},
        Case{"Large", 99}, Case{"Empty", 99}, Case{"Missing", 99}})
    EXPECT_EQ(ini.ReadInteger("Forms", c.key, 99), c.value) << c.key;
}

TEST_F(TIniFileTest, TellsWhichKeysExistAndListsTheSectionsOnce) {
  EXPECT_TRUE(ini.ValueExists("forms", "EMPTY"));
  EXPECT_FALSE(ini.ValueExists("Forms", "orphan"));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Forms", "Wiki"}));
}

TEST(TIniFile, MissingFileHoldsNothing) {
  const test::TempDir folder;
  const TIniFile ini(folder / "absent.ini");
  EXPECT_EQ(ini.ReadString("Forms", "TMainForm", "none"), "none");
  EXPECT_FALSE(ini.ValueExists("Forms", "TMainForm"));
  EXPECT_TRUE(ini.ReadSections().empty());
}

} // namespace
} // namespace kiv
