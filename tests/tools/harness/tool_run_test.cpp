// The frame every tool shares: how a failure and a mistake of the command line read, and, on the
// tools run as children, the line and exit code of a mistake, --help and --version.
#include "core/Exceptions.h"
#include "platform/testing/ChildProcess.h"
#include "tools/harness/ToolRun.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace kiv {
namespace {

using platform::testing::ChildResult;
using platform::testing::kStreamLineEnd;
using platform::testing::RunChild;

EPelo ReadFailure() {
  EPelo failure("Error reading file: a.mod",
                std::make_exception_ptr(std::runtime_error("Invalid numeric input")));
  failure.SetLine(7);
  return failure;
}

TEST(ToolRun, FailuresNameTheToolThenTheMessageAndItsCause) {
  EXPECT_EQ(FailureText("kivmod", std::runtime_error("write standard output: No space")),
            "kivmod: error: write standard output: No space\n");
  EXPECT_EQ(FailureText("kivupdate", EPelo("Error downloading Upd.ex_")),
            "kivupdate: error: Error downloading Upd.ex_\n");
  EXPECT_EQ(FailureText("kivmod", ReadFailure()),
            "kivmod: error: line 7: Error reading file: a.mod\n  cause: Invalid numeric input\n");
  EXPECT_EQ(UsageErrorText("kivinfo", "unknown switch \"-x\""),
            "kivinfo: error: unknown switch \"-x\" (kivinfo --help says more)\n");
}

struct ToolCase {
  const char* name;
  const char* program;
  std::vector<std::string> mistake;
  // The mistake's line and exit code: the harness's, but for kivreg, which answers as reg.exe.
  int exitCode;
  std::string start;
  std::string end;
};

ToolCase OnTheHarness(const char* name, const char* program, std::vector<std::string> mistake) {
  return {name,
          program,
          std::move(mistake),
          2,
          std::string(name) + ": error: ",
          std::string(" (") + name + " --help says more)"};
}

void PrintTo(const ToolCase& tool, std::ostream* out) {
  *out << tool.name;
}

class Tool : public ::testing::TestWithParam<ToolCase> {};

TEST_P(Tool, AMistakeOfTheCommandLineIsOneLineWithItsExitCode) {
  const ToolCase& tool = GetParam();
  const ChildResult result = RunChild(tool.program, tool.mistake);
  const std::string& error = result.standardError;
  EXPECT_EQ(result.exitCode, tool.exitCode) << error;
  EXPECT_TRUE(error.starts_with(tool.start)) << error;
  EXPECT_TRUE(error.ends_with(tool.end + kStreamLineEnd)) << error;
  EXPECT_EQ(error.find('\n'), error.size() - 1) << error;
  EXPECT_EQ(result.standardOutput, "");
}

TEST_P(Tool, VersionIsTheNameAndTheFileVersion) {
  const ToolCase& tool = GetParam();
  const ChildResult result = RunChild(tool.program, {"--version"});
  EXPECT_EQ(result.exitCode, 0) << result.standardError;
  EXPECT_EQ(result.standardOutput,
            std::string(tool.name) + " " + KIV_PROJECT_VERSION + kStreamLineEnd);
  EXPECT_EQ(result.standardError, "");
}

TEST_P(Tool, HelpNamesTheVersionSwitch) {
  const ToolCase& tool = GetParam();
  const ChildResult result = RunChild(tool.program, {"--help"});
  EXPECT_EQ(result.exitCode, 0) << result.standardError;
  EXPECT_NE(result.standardOutput.find("--version"), std::string::npos) << result.standardOutput;
}

const ToolCase kTools[] = {
    OnTheHarness("kivinfo", KIV_KIVINFO, {"first", "--jsn"}),
    {"kivreg", KIV_KIVREG, {"bogus"}, 1, "ERROR: Invalid syntax: ", "for usage."},
    OnTheHarness("kivupdate", KIV_KIVUPDATE, {"--bogus"}),
    OnTheHarness("kivmod", KIV_KIVMOD, {"info", "--bogus"}),
};

INSTANTIATE_TEST_SUITE_P(Tools, Tool, ::testing::ValuesIn(kTools),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kiv
