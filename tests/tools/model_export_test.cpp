// The texts of kivmod's export: CSV fields as RFC 4180 quotes them, numbers in their shortest form.
#include "tools/ModelExport.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(CsvField, QuotesAFieldWithACommaQuoteOrLineBreakOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"Resistivity", "Resistivity"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"x\"", "\"say \"\"x\"\"\""},
      {"a\nb", "\"a\nb\""},
      {"a\rb", "\"a\rb\""},
  };
  for (const auto& [field, expected] : cases)
    EXPECT_EQ(CsvField(field), expected) << field;
}

TEST(AppendShortest, WritesTheShortestTextOfTheValuesOwnPrecision) {
  std::string text;
  AppendShortest(text, 1.2f);
  text += ' ';
  AppendShortest(text, 1.2);
  text += ' ';
  AppendShortest(text, 6212450.0);
  text += ' ';
  AppendShortest(text, static_cast<double>(0.3f));
  EXPECT_EQ(text, "1.2 1.2 6212450 0.30000001192092896");
}

} // namespace
} // namespace kiv
