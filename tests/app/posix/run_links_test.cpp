// Facts of POSIX systems only: symbolic links and a device that is always full.
#include "core/TextFile.h"
#include "testing/support/RunFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::RunCheck;
using test::RunFolder;

TEST(Run, DanglingLinksAreNotRunFilesButLinksToFilesAre) {
  RunFolder run({"target.mo2"});
  std::filesystem::create_symlink(run / "gone.mod", run / "job1.mod");
  std::filesystem::create_symlink(run / "target.mo2", run / "job1.mo2");
  EXPECT_EQ(RunCheck({run / "job1.xyz"}).exitCode, 100);
  EXPECT_EQ(run.Log(),
            JoinCrLfLines({"Mo2 file found: " + (run / "job1.mo2"), "Path: " + run.dir.path(),
                           "Reading mod file...", "Modfile ok!"}));
}

TEST(Run, ALogOnAFullDiskEndsWith101AndOneLineOfReason) {
  RunFolder run({"job1.mod"});
  std::filesystem::create_symlink("/dev/full", run / "job1_VIC.log");
  const platform::testing::ChildResult result = RunCheck({run / "job1.xyz"});
  EXPECT_EQ(result.exitCode, 101);
  EXPECT_EQ(result.standardError.rfind("VesmarInvChk: cannot write the run log: ", 0), 0u)
      << result.standardError;
  EXPECT_EQ(std::count(result.standardError.begin(), result.standardError.end(), '\n'), 1);
}

} // namespace
} // namespace kiv
