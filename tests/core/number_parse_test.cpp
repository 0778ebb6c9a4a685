#include "core/ByteClasses.h"
#include "core/DelimitedText.h"
#include "core/NumberParse.h"
#include "core/TextScanner.h"
#include "testing/support/TempDir.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace kiv {
namespace {

std::optional<double> Real(std::string_view word) {
  double value = 0;
  return ParseReal(word, value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<std::int32_t> Integer(std::string_view word) {
  std::int32_t value = 0;
  return ParseInteger(word, value) ? std::optional<std::int32_t>(value) : std::nullopt;
}

TEST(NumberParse, StrictRealGrammar) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"1.5", 1.5},  {"-1.0000e+00", -1}, {"+2", 2},      {"1E5", 1e5},   {".5", 0.5},
      {"5.", 5},     {"1e-999", 0},       {"-0.0", -0.0}, {"0.000e5", 0}, {"1e999", {}},
      {"inf", {}},   {"nan", {}},         {"-inf", {}},   {"0x10", {}},   {"1,5", {}},
      {"", {}},      {"+", {}},           {"+-1", {}},    {"--1", {}},    {"1e", {}},
      {"1.5.2", {}}, {"1e5.5", {}},       {"e5", {}},     {".", {}},      {"1d3", {}},
  };
  for (const auto& [word, expected] : cases)
    EXPECT_EQ(Real(word), expected) << word;
  EXPECT_TRUE(std::signbit(*Real("-1e-999")));
  EXPECT_EQ(Real(std::string(64, '1')).has_value(), true);
  EXPECT_EQ(Real(std::string(65, '1')), std::nullopt);
}

// The fast forms take these words as a whole or leave them to from_chars; either way the value
// is from_chars' correctly rounded one, whether the word is read alone or from a scanner's buffer
// with more text after it.
TEST(NumberParse, FastFormsReadAsFromChars) {
  const char* const words[] = {"3",
                               "-7",
                               "+7",
                               "1.",
                               ".5",
                               "+.5",
                               "-.5",
                               "-0",
                               "+0",
                               "-0.0",
                               "0.1",
                               "0.3",
                               "4.35",
                               "1.23457e+06",
                               "-0.0123457",
                               "552310.5",
                               "2147483647",
                               "-2147483648",
                               "2147483648",
                               "123456789012345",
                               "999999999999999",
                               "0.12345678901234",
                               "99999999999999.9",
                               "1234567890123456",
                               "9007199254740993",
                               "0.1234567890123456",
                               "1e22",
                               "1e23",
                               "1e-22",
                               "1e-23",
                               "1.5e+022",
                               "123456789012345e-22",
                               "999999999999999e7",
                               "9.99999999999999e22",
                               "8.98846567431158e307",
                               "1e0000",
                               "1E+5",
                               "1.2345e+00",
                               "-9.9999e-99",
                               "1.2345e-19"};
  for (const std::string_view word : words) {
    const std::string_view unsignedWord = word.substr(word.front() == '+' ? 1 : 0);
    double expected = 0;
    std::from_chars(unsignedWord.data(), unsignedWord.data() + unsignedWord.size(), expected);
    const std::string text = std::string(word) + std::string(kFastRealReach, ' ') + "9";
    TextScanner scanner(ByteSource::Memory(text));
    const double read = scanner.ReadReal();
    ASSERT_TRUE(Real(word).has_value()) << word;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*Real(word)), std::bit_cast<std::uint64_t>(expected))
        << word;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected)) << word;
    EXPECT_EQ(scanner.ReadReal(), 9) << word;
  }
}

// Words that start like a fast form but are none fail alike, read alone or from a buffer.
TEST(NumberParse, FastFormsRefuseWhatIsNoNumber) {
  for (const char* word :
       {"1e",    "1e+",  "1.e", "1..",        "1.5.",         "+-1",
        "-+1",   "1e5x", "1,5", "1.2345e+0x", "1.2345e+001x", "12345678901234567890x",
        "-",     "+",    ".",   "-.",         ".e1",          "1.2345f+00",
        "0x1p3", "1e--5"}) {
    EXPECT_EQ(Real(word), std::nullopt) << word;
    const std::string text = std::string(word) + std::string(kFastRealReach, ' ') + "1";
    TextScanner scanner(ByteSource::Memory(text));
    EXPECT_THROW(scanner.ReadReal(), InvalidNumericInput) << word;
  }
}

TEST(NumberParse, StrictIntegerGrammar) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"12", 12},         {"-7", -7},
      {"+7", 7},          {"2147483647", 2147483647},
      {"2147483648", {}}, {"-2147483648", -2147483647 - 1},
      {"1.0", {}},        {"1e2", {}},
      {"$10", {}},        {"0x10", {}},
      {"+-1", {}},        {"-", {}},
      {"", {}},
  };
  for (const auto& [word, expected] : cases)
    EXPECT_EQ(Integer(word), expected) << word;
  EXPECT_EQ(Integer(std::string(32, '0')), 0);
  EXPECT_EQ(Integer(std::string(33, '0')), std::nullopt);
  EXPECT_THROW(NarrowToSingle(1e39), std::overflow_error);
  EXPECT_EQ(NarrowToSingle(1e-50), 0.0f);
}

TEST(DelimitedText, FieldsAtBlanksCommasAndQuotes) {
  using Fields = std::vector<std::string>;
  const std::pair<const char*, Fields> cases[] = {
      {"3 2", {"3", "2"}},
      {"  3   2  ", {"3", "2"}},
      {"3,2", {"3", "2"}},
      {"3 , 2", {"3", "2"}},
      {"3,,2", {"3", "", "2"}},
      {"3,2,", {"3", "2", ""}},
      {"\"a b\" 2", {"a b", "2"}},
      {"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
      {"3\t2\x01x", {"3", "2", "x"}},
      {"", {}},
  };
  for (const auto& [text, fields] : cases)
    EXPECT_EQ(SplitDelimitedText(text), fields) << text;
}

// Each text is read from a file and from memory alike.
class TextScannerSource : public testing::TestWithParam<bool> {
protected:
  TextScanner Scanner(std::string_view text) {
    if (GetParam())
      return TextScanner(ByteSource::Memory(text));
    test::WriteFile(dir_ / "t.txt", text);
    return TextScanner(ByteSource::File(dir_ / "t.txt"));
  }

private:
  test::TempDir dir_;
};

INSTANTIATE_TEST_SUITE_P(FileAndMemory, TextScannerSource, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& source) {
                           return source.param ? "Memory" : "File";
                         });

TEST_P(TextScannerSource, LinesWordsAndTheEndOfTheText) {
  TextScanner scanner =
      Scanner("first line\r\nsecond\n\n  1\t2 ignored\r\n\r\n 3\r\n4 -5.5 7\n  name  x \r\n");
  EXPECT_EQ(scanner.ReadLine(), "first line");
  EXPECT_EQ(scanner.ReadLine(), "second");
  EXPECT_EQ(scanner.ReadInteger(), 1);
  EXPECT_EQ(scanner.ReadInteger(), 2);
  scanner.SkipLine();
  EXPECT_EQ(scanner.ReadInteger(), 3); // blank lines are skipped by number reading
  scanner.SkipLine();
  EXPECT_EQ(scanner.ReadInteger(), 4);
  EXPECT_EQ(scanner.ReadReal(), -5.5);
  EXPECT_EQ(scanner.ReadSingle(), 7.0f);
  EXPECT_THROW(scanner.ReadSingle(), InvalidNumericInput) << "the next word is 'name'";
}

TEST_P(TextScannerSource, MissingNumbersAtTheEndReadAsZero) {
  for (std::string_view text : {"9 rest of line  \r\n12", "9 rest of line\n12\n"}) {
    TextScanner scanner = Scanner(text);
    EXPECT_EQ(scanner.RemainingBytes(), text.size());
    EXPECT_EQ(scanner.ReadInteger(), 9);
    EXPECT_EQ(scanner.ReadTrimmedRestOfLine(), "rest of line");
    EXPECT_EQ(scanner.ReadReal(), 12);
    EXPECT_LE(scanner.RemainingBytes(), 1u);
    EXPECT_EQ(scanner.ReadReal(), 0);
    EXPECT_EQ(scanner.ReadInteger(), 0);
    EXPECT_EQ(scanner.RemainingBytes(), 0u);
    EXPECT_EQ(scanner.ReadLine(), "");
    scanner.SkipLine();
    EXPECT_TRUE(scanner.AtEnd());
  }
  TextScanner empty = Scanner("");
  EXPECT_TRUE(empty.AtEnd());
  EXPECT_EQ(empty.ReadLine(), "");
  EXPECT_EQ(empty.ReadInteger(), 0);
}

TEST_P(TextScannerSource, WordsAndLinesAcrossBufferRefills) {
  std::string content(300 * 1024 - 3, ' '); // a word straddles a file's first refill
  content += "123456.75 ";
  content += std::string(200 * 1024, 'x') + "\n-2\n";
  content += std::string(20000, '7') + "\n";
  TextScanner scanner = Scanner(content);
  EXPECT_EQ(scanner.ReadReal(), 123456.75);
  EXPECT_EQ(scanner.ReadLine().size(), 200u * 1024 + 1);
  EXPECT_EQ(scanner.ReadInteger(), -2);
  EXPECT_THROW(scanner.ReadReal(), InvalidNumericInput); // a word of 20,000 digits
}

// Plain lines are passed at once; at the first line that is not plain, or that ends beyond the
// bytes at hand, the scanner stays, so that the word-by-word reading decides it as before.
TEST_P(TextScannerSource, LinesOfIntegersArePassedUpToTheFirstOtherLine) {
  const struct {
    std::string_view stop; // the line after two plain ones
    std::int32_t passed;
  } cases[] = {
      {"7 8 name\n", 3},
      {"  7\t8\r\n", 3},
      {"654321\t99 c\n", 3}, // the line before's classes
      {"654321x99 c\n", 2},  // its digits, other blanks
      {"654321\n99 c\n", 2}, // its digits, a line feed for a blank
      {"7 8\n", 3},
      {"123456789 8 x\n", 3},
      {"7 8 a name that runs beyond the first thirty-two characters\n", 3},
      {"7 8 a name that runs beyond the first thirty-two characters", 2},
      {"1234567890 8 x\n", 2},
      {"7 12345678901234567890123456789\n", 2},
      {"-7 8 name\n", 2},
      {"+7 8 name\n", 2},
      {"7\n8 name\n", 2},
      {"7 8x name\n", 2},
      {"7 name 8\n", 2},
      {"\n7 8\n", 2},
  };
  for (const auto& c : cases) {
    const std::string text = "comment\n1 6 a.tem\r\n123456 60 b\n" + std::string(c.stop) +
                             (c.stop.ends_with('\n') ? "rest\n" + std::string(32, ' ') : "");
    TextScanner scanner = Scanner(text);
    EXPECT_EQ(scanner.ReadLine(), "comment");
    EXPECT_EQ(scanner.SkipLinesOfTwoIntegers(10), c.passed) << c.stop;
    if (c.passed == 2)
      EXPECT_EQ(scanner.ReadLine(), c.stop.substr(0, c.stop.find('\n'))) << c.stop;
    else
      EXPECT_EQ(scanner.ReadLine(), "rest") << c.stop;
  }
  const std::string twoLines = "\n1 2 a.tem\n3 4 b.tem\n" + std::string(32, ' ');
  TextScanner scanner = Scanner(twoLines);
  scanner.SkipLine();
  EXPECT_EQ(scanner.SkipLinesOfTwoIntegers(1), 1);
  EXPECT_EQ(scanner.ReadInteger(), 3);
}

TEST(TextScanner, BytesAreClassifiedAsOneByOne) {
  std::string bytes(256 + kClassifiedBytes, '\0');
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i * 7 % 256); // every value, at every position of a window
  for (size_t at = 0; at + kClassifiedBytes <= bytes.size(); ++at) {
    const ByteClasses expected = ClassifyBytesOneByOne(bytes.data() + at);
    const ByteClasses classes = ClassifyBytes(bytes.data() + at);
    EXPECT_EQ(classes.digits, expected.digits) << at;
    EXPECT_EQ(classes.blanks, expected.blanks) << at;
    EXPECT_EQ(classes.lineFeeds, expected.lineFeeds) << at;
  }
}

// Numbers that end exactly where the memory ends: nothing is read beyond it (the sanitizers
// watch the copy, which holds exactly the text).
TEST(TextScanner, MemoryEndsRightAfterTheLastNumber) {
  for (std::string_view text : {"-1.2345e+00", "12345678901", "7", "-2147483648", "x\n1.5"}) {
    const std::unique_ptr<char[]> exact(new char[text.size()]);
    std::copy(text.begin(), text.end(), exact.get());
    TextScanner scanner(ByteSource::Memory(std::string_view(exact.get(), text.size())));
    if (text.starts_with("x"))
      scanner.SkipLine();
    if (text == "12345678901")
      EXPECT_THROW(scanner.ReadInteger(), InvalidNumericInput) << text;
    else if (text == "-2147483648")
      EXPECT_EQ(scanner.ReadInteger(), -2147483647 - 1);
    else
      EXPECT_NE(scanner.ReadReal(), 0) << text;
    EXPECT_TRUE(scanner.AtEnd()) << text;
  }
}

} // namespace
} // namespace kiv
