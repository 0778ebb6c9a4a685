#include "framework/toolkit/Application.h"
#include "framework/toolkit/Form.h"
#include "platform/testing/ChildProcess.h"
#include "testing/gui/ModalAnswer.h"

#include <gtest/gtest.h>
#include <string>

namespace kiv {
namespace {

// Probes that must fail; run only by the harness tests below, in a program of their own.
TEST(HarnessProbe, DISABLED_LeavesAWindow) {
  // Kept reachable, so that the leak checker of a sanitizer build does not change the outcome.
  static TForm* left = nullptr;
  left = new TForm(nullptr);
  left->SetCaption("left behind");
}

TEST(HarnessProbe, DISABLED_WaitsForAModalWindowThatNeverComes) {
  test::ModalAnswer never([](QWidget&) {});
}

TEST(HarnessProbe, DISABLED_LeavesAModalWindowUnanswered) {
  const test::ModalAnswer nothingMatches([](QWidget&) {}, [](QWidget&) { return false; },
                                         std::chrono::milliseconds(50));
  TForm form(nullptr);
  EXPECT_EQ(form.ShowModal(), mrCancel); // the deadline closed it
}

platform::testing::ChildResult RunProbe(const std::string& name) {
  return platform::testing::RunChild(
      Application().ExeName(),
      {"--gtest_also_run_disabled_tests", "--gtest_filter=HarnessProbe." + name});
}

TEST(GuiHarness, FailsATestThatLeavesATopLevelWindow) {
  const platform::testing::ChildResult result = RunProbe("DISABLED_LeavesAWindow");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(
      result.standardOutput.find("the test left 1 top-level window(s): QWidget \"left behind\""),
      std::string::npos)
      << result.standardOutput;
}

TEST(GuiHarness, FailsATestWhoseModalWindowNeverCame) {
  const platform::testing::ChildResult result =
      RunProbe("DISABLED_WaitsForAModalWindowThatNeverComes");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.standardOutput.find("the modal window to answer never came"), std::string::npos)
      << result.standardOutput;
}

TEST(GuiHarness, ClosesAModalWindowLeftUnansweredAtTheDeadlineAndFailsTheTest) {
  const platform::testing::ChildResult result = RunProbe("DISABLED_LeavesAModalWindowUnanswered");
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.standardOutput.find("no modal window was answered before the deadline"),
            std::string::npos)
      << result.standardOutput;
}

} // namespace
} // namespace kiv
