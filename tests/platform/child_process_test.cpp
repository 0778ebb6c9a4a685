#include "platform/testing/ChildProcess.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>

namespace kiv::platform::testing {
namespace {

using namespace std::chrono_literals;
using Status = ChildProcess::LineStatus;

// A time-out that only a child that never writes reaches.
constexpr std::chrono::milliseconds kPatience = 60s;

TEST(RunChild, GivesTheExitCodeAndBothStreams) {
  const ChildResult result = RunChild(KIV_CHILD_PROBE, {"lines"});
  EXPECT_EQ(result.exitCode, 5);
  EXPECT_EQ(result.standardOutput, "first" + kStreamLineEnd + "last");
  EXPECT_EQ(result.standardError, "to the error stream" + kStreamLineEnd);
}

TEST(ChildProcess, ReadsTheOutputLineByLineToItsEnd) {
  ChildProcess child(KIV_CHILD_PROBE, {"lines"});
  std::string line;
  ASSERT_EQ(child.ReadLine(line, kPatience), Status::Read);
  EXPECT_EQ(line, "first");
  ASSERT_EQ(child.ReadLine(line, kPatience), Status::Read);
  EXPECT_EQ(line, "last");
  EXPECT_EQ(child.ReadLine(line, kPatience), Status::Ended);
  EXPECT_EQ(child.Wait(), 5);
}

// The child waits on its standard input: no line comes until the input closes.
TEST(ChildProcess, ClosingTheInputLetsTheChildEnd) {
  ChildProcess child(KIV_CHILD_PROBE, {"input"});
  std::string line;
  ASSERT_EQ(child.ReadLine(line, kPatience), Status::Read);
  EXPECT_EQ(line, "waiting");
  EXPECT_EQ(child.ReadLine(line, 0ms), Status::TimedOut);
  child.CloseInput();
  ASSERT_EQ(child.ReadLine(line, kPatience), Status::Read);
  EXPECT_EQ(line, "input ended");
  EXPECT_EQ(child.ReadLine(line, kPatience), Status::Ended);
  EXPECT_EQ(child.Wait(), 3);
}

TEST(ChildProcess, StopEndsAChildThatWouldWaitForever) {
  ChildProcess child(KIV_CHILD_PROBE, {"input"});
  std::string line;
  ASSERT_EQ(child.ReadLine(line, kPatience), Status::Read);
  child.Stop();
  EXPECT_EQ(child.Wait(), -1);
}

TEST(ChildProcess, AProgramThatCannotStartFailsBothWays) {
  const test::TempDir dir;
  const std::string missing = dir / "missing";
  const auto expected =
      test::ExpectedSystemFailure(std::errc::no_such_file_or_directory, "posix_spawn " + missing);
  EXPECT_EQ(test::SystemFailure([&] { RunChild(missing, {}); }), expected);
  EXPECT_EQ(test::SystemFailure([&] { ChildProcess child(missing, {}); }), expected);
}

} // namespace
} // namespace kiv::platform::testing
