#include "core/ProgramName.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(ProgramName, OnlyATrailingExeGoesInAnyCase) {
  struct Row {
    const char* name;
    const char* expected;
  };
  for (const Row& row :
       {Row{"calc.exe", "calc"}, Row{"CALC.EXE", "CALC"}, Row{"setup.tool.exe", "setup.tool"},
        Row{"setup.tool", "setup.tool"}, Row{"kivinfo", "kivinfo"}, Row{"a.exe.bak", "a.exe.bak"},
        Row{".exe", ".exe"}, Row{"", ""}})
    EXPECT_EQ(ProgramNameWithoutExe(row.name), row.expected) << row.name;
}

} // namespace
} // namespace kiv
