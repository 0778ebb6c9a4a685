// The texts of kivmod's export: CSV fields as RFC 4180 quotes them.
#include "tools/kivmod/ModelExport.h"

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

} // namespace
} // namespace kiv
