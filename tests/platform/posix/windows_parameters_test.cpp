#include "platform/posix/WindowsParameters.h"

#include <gtest/gtest.h>

namespace kiv::platform {
namespace {

using Arguments = std::vector<std::string>;

TEST(WindowsParameters, SplitAsTheCRuntimeSplitsACommandLine) {
  const struct {
    const char* parameters;
    Arguments arguments;
  } rows[] = {
      {"", {}},
      {" \t ", {}},
      {"a b", {"a", "b"}},
      {"  a\t\tb  ", {"a", "b"}},
      {R"("a b" c)", {"a b", "c"}},
      {R"(a"b c"d)", {"ab cd"}},
      {R"("" x "")", {"", "x", ""}},
      {R"("a""b" c)", {"a\"b", "c"}},
      {R"(C:\dir\file.mod)", {R"(C:\dir\file.mod)"}},
      {R"("C:\my dir\\" next)", {R"(C:\my dir\)", "next"}},
      {R"(a\"b)", {"a\"b"}},
      {R"(a\\"b c")", {R"(a\b c)"}},
      {R"(a\\\"b)", {R"(a\"b)"}},
      {R"(trailing\\)", {R"(trailing\\)"}},
      {R"("never closed  x)", {"never closed  x"}},
  };
  for (const auto& row : rows)
    EXPECT_EQ(SplitWindowsParameters(row.parameters), row.arguments) << row.parameters;
}

} // namespace
} // namespace kiv::platform
