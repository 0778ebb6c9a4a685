#include "tools/JsonText.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(JsonText, EscapesQuotesBackslashesAndControls) {
  struct Row {
    std::string text;
    const char* json;
  };
  for (const Row& row :
       {Row{"plain", "\"plain\""}, Row{"a\"b\\c", "\"a\\\"b\\\\c\""},
        Row{"C:\\runs\r\n\t", "\"C:\\\\runs\\r\\n\\t\""},
        Row{std::string("\x01\x1f", 2), "\"\\u0001\\u001f\""}, Row{"\xC3\x84", "\"\xC3\x84\""}})
    EXPECT_EQ(JsonString(row.text), row.json) << row.text;
  EXPECT_EQ(JsonStringArray({}), "[]");
  EXPECT_EQ(JsonStringArray({"a", "b"}), "[\"a\", \"b\"]");
}

} // namespace
} // namespace kiv
