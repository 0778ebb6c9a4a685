#include "platform/testing/ChildProcess.h"
#include "testing/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

namespace kiv {
namespace {

using test::TempDir;

// Copies the probe under the given file name and runs it with the given error-log path.
int RunProbeAs(const TempDir& dir, const std::string& executableName, const std::string& logPath) {
  const std::string copy = dir / executableName;
  std::filesystem::copy_file(KIV_ERROR_LOG_PROBE, copy,
                             std::filesystem::copy_options::overwrite_existing);
  return platform::testing::RunChild(copy, {logPath}).exitCode;
}

TEST(ErrorLog, SiblingExecutablesAppendFourLineEntries) {
  for (const char* name : {"KorLog.exe", "driflog.EXE", "NEMLOG.EXE", "VesmarScout.Exe"}) {
    TempDir dir;
    const std::string log = dir / "errors.log";
    ASSERT_EQ(RunProbeAs(dir, name, log), 0);
    ASSERT_EQ(RunProbeAs(dir, name, log), 0);
    const std::string entry =
        R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d, )" +
        std::regex_replace(dir / name, std::regex(R"([.^$|()\\[\]{}*+?])"), R"(\$&)") +
        "\r\nTProbe\\.Run\r\nindex 7\nout of range\r\n\r\n";
    EXPECT_TRUE(std::regex_match(test::ReadFile(log), std::regex(entry + entry)))
        << name << ":\n"
        << test::ReadFile(log);
  }
}

TEST(ErrorLog, OtherExecutablesWriteNothing) {
  for (const char* name : {"KORLOG.EXE.bak", "KORLOG", "XKORLOG.EXE", "VesmarInvChk"}) {
    TempDir dir;
    const std::string log = dir / "errors.log";
    ASSERT_EQ(RunProbeAs(dir, name, log), 0);
    EXPECT_FALSE(test::FileExists(log)) << name;
  }
}

// A sibling whose host never named the log writes its entry nowhere: no file, no stream.
TEST(ErrorLog, NoErrorLogWhileItsNameIsEmpty) {
  TempDir dir;
  const std::string probe = dir / "KORLOG.EXE";
  std::filesystem::copy_file(KIV_ERROR_LOG_PROBE, probe);
  const platform::testing::ChildResult result =
      platform::testing::RunChild(probe, {""}, dir.path());
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.standardOutput, "");
  EXPECT_EQ(result.standardError, "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(ErrorLog, AnUnwritableLogIsSkippedAndTheEscalationGoesOn) {
  TempDir dir;
  EXPECT_EQ(RunProbeAs(dir, "KORLOG.EXE", dir / "missing-folder/errors.log"), 0);
  std::filesystem::create_directory(dir / "folder.log");
  EXPECT_EQ(RunProbeAs(dir, "KORLOG.EXE", dir / "folder.log"), 0);
#ifndef _WIN32
  // Linux only: a device that is always full.
  EXPECT_EQ(RunProbeAs(dir, "KORLOG.EXE", "/dev/full"), 0);
#endif
}

} // namespace
} // namespace kiv
