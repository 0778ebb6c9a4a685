#include "tools/harness/JsonText.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(JsonText, ArraysOfStringLiterals) {
  EXPECT_EQ(JsonStringArray({}), "[]");
  EXPECT_EQ(JsonStringArray({"a", "b"}), "[\"a\", \"b\"]");
}

} // namespace
} // namespace kiv
