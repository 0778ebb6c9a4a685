#include "framework/base/Tools.h"
#include "testing/support/Failure.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(SubString, ItemsBetweenDelimitersAndLineBreaks) {
  struct Row {
    const char* input;
    int item;
    const char* expected;
  };
  for (const Row& row : {
           Row{"a;;b;c", 2, "b"},   // a run of delimiters counts as one
           Row{"a;;b;c", 4, ""},    // fewer items
           Row{";a", 1, ""},        // a leading delimiter gives an empty first item
           Row{";a", 2, "a"},       //
           Row{"a;b;", 3, ""},      // a trailing one gives no extra item
           Row{"x\r\ny;z", 2, "y"}, // line breaks split too
           Row{"x\r\ny;z", 3, "z"}, //
           Row{"x\n\ny", 2, ""},    // two line breaks are two breaks
       })
    EXPECT_EQ(TTools::SubString(row.item, row.input, ';'), row.expected)
        << row.input << " item " << row.item;
}

TEST(SubString, ItemBelowOneIsAListIndexFailure) {
  EXPECT_EQ(test::Failure([] { TTools::SubString(0, "a;b", ';'); }),
            test::Expected("foreign", "List index out of bounds (-1)"));
}

TEST(HexTexts, UpperCaseDigits) {
  EXPECT_EQ(TTools::HexByte(10), "0A");
  EXPECT_EQ(TTools::HexByte(255), "FF");
  EXPECT_EQ(TTools::HexWord(10), "000A");
  EXPECT_EQ(TTools::HexWord(0xBEEF), "BEEF");
  EXPECT_EQ(TTools::HexCardinal(0), "");
  EXPECT_EQ(TTools::HexCardinal(255), "FF");
  EXPECT_EQ(TTools::HexCardinal(4096), "1000");
  EXPECT_EQ(TTools::HexCardinal(0xDEADBEEF), "DEADBEEF");
  const std::uint8_t bytes[] = {0x01, 0xAB, 0x00};
  EXPECT_EQ(TTools::HexBytes(bytes), "01AB00");
}

TEST(IntToStrZeros, ZerosGoAfterTheSign) {
  EXPECT_EQ(TTools::IntToStrZeros(7, 3), "007");
  EXPECT_EQ(TTools::IntToStrZeros(1234, 3), "1234");
  EXPECT_EQ(TTools::IntToStrZeros(-5, 4), "-005");
  EXPECT_EQ(TTools::IntToStrZeros(-5, 2), "-5");
  EXPECT_EQ(TTools::IntToStrZeros(-1234, 3), "-1234");
  EXPECT_EQ(TTools::IntToStrZeros(0, 0), "0");
}

TEST(LegalFileName, KeepsOnlyTheFileNameCharacters) {
  EXPECT_EQ(TTools::LegalFileName("My File(1).TXT"), "my_file_1_.txt");
  EXPECT_EQ(TTools::LegalFileName("C:\\runs/job-1.mod"), "c__runs_job-1.mod");
  EXPECT_EQ(TTools::LegalFileName("\xC3\x84rger.txt"), "_rger.txt"); // one "_" per character
  EXPECT_EQ(TTools::LegalPathName("C:\\x"), "");
}

TEST(GetURLFromString, FromTheFirstWwwOn) {
  EXPECT_EQ(TTools::GetURLFromString("see www.kiv.fi/help and www.other"),
            "www.kiv.fi/help and www.other");
  EXPECT_EQ(TTools::GetURLFromString("none"), "url_is_not_found_in_string:_none");
  EXPECT_EQ(TTools::GetURLFromString("www." + std::string(300, 'a')).size(), 255u);
}

TEST(CreateBackupFileName, ExtensionBecomesOrigSuffix) {
  EXPECT_EQ(TTools::CreateBackupFileName("model.mod"), "model.orig_mod");
  EXPECT_EQ(TTools::CreateBackupFileName("/runs/a.b/model"), "");
  EXPECT_EQ(TTools::CreateBackupFileName("model"), "");
}

TEST(SmallTexts, BoolsAndEnumerationNames) {
  EXPECT_EQ(TTools::BoolToStr(true), "True");
  EXPECT_EQ(TTools::BoolToStr(false), "False");
  constexpr std::string_view names[] = {"mt_Info", "mt_Warning"};
  EXPECT_EQ(TTools::GetEnumNameAsString(names, 1), "mt_Warning");
  EXPECT_THROW(TTools::GetEnumNameAsString(names, 2), std::out_of_range);
}

TEST(Crc, KnownValuesOfAbc) {
  const std::uint8_t abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(TTools::CRC32(abc), 0xCA6598D0u);
  EXPECT_EQ(TTools::CRC64(abc), static_cast<std::int64_t>(0xC621568C6AFEAD61u));
  EXPECT_LT(TTools::CRC64(abc), 0);
  EXPECT_EQ(TTools::CRC32({}), 0u);
  EXPECT_EQ(TTools::CRC64({}), 0);
}

} // namespace
} // namespace kiv
