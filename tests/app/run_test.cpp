#include "core/TextFile.h"
#include "testing/support/RunFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::RunCheck;
using test::RunFolder;

TEST(Run, DiscoveryPrefersModThenMo2) {
  struct Case {
    std::initializer_list<const char*> files;
    const char* firstLine;
    const char* found;
  };
  const Case cases[] = {
      {{"job1.mod", "job1.mo2", "job1.vox"}, "Mod file found: ", "job1.mod"},
      {{"job1.mo2", "job1.vox"}, "Mo2 file found: ", "job1.mo2"},
  };
  for (const Case& c : cases) {
    RunFolder run(c.files);
    const platform::testing::ChildResult result = RunCheck({run / "job1.xyz"});
    EXPECT_EQ(result.exitCode, 100);
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(run.Log(), JoinCrLfLines({c.firstLine + (run / c.found), "Path: " + run.dir.path(),
                                        "Reading mod file...", "Modfile ok!"}));
  }
}

TEST(Run, VoxelFilesAreAllLoggedInOrderAndTheLastWins) {
  RunFolder run({"job1.vtl", "job1.vox", "job1.rip", "job1.da2", "job1.rup", "job1.rap"});
  const std::string folder = run.dir.path();
  EXPECT_EQ(RunCheck({run / "job1.xyz"}).exitCode, 100);
  std::vector<std::string> expected = {"Neither .mod nor .mo2 file found in " + folder};
  for (const char* extension : {".da2", ".vox", ".rip", ".rap", ".rup", ".vtl"})
    expected.push_back(std::string(extension) + " file found: " + folder + "job1" + extension +
                       " - going to voxel mode");
  expected.push_back("Path: " + folder);
  EXPECT_EQ(run.Log(), JoinCrLfLines(expected));
}

TEST(Run, NothingFoundFailsWithTheLogEndingAtTheVoxelSearch) {
  RunFolder run({"job1.xyz", "other.mod", "job2.vox"});
  const platform::testing::ChildResult result = RunCheck({run / "job1.xyz"});
  EXPECT_EQ(result.exitCode, 101);
  EXPECT_EQ(result.standardError, "");
  const std::string folder = run.dir.path();
  EXPECT_EQ(
      run.Log(),
      JoinCrLfLines({"Neither .mod nor .mo2 file found in " + folder,
                     "No voxel files (.da2, .vox, .rip, .rap, .rup, .vtl) found in " + folder}));
}

TEST(Run, FoldersAreNotRunFiles) {
  RunFolder run({"job1.mo2"});
  std::filesystem::create_directory(run / "job1.mod");
  EXPECT_EQ(RunCheck({run / "job1.xyz"}).exitCode, 100);
  EXPECT_EQ(run.Log(),
            JoinCrLfLines({"Mo2 file found: " + (run / "job1.mo2"), "Path: " + run.dir.path(),
                           "Reading mod file...", "Modfile ok!"}));
}

TEST(Run, ArgumentWithoutFolderIsLookedUpInTheWorkingFolder) {
  RunFolder run({"job1.mod"});
  EXPECT_EQ(RunCheck({"job1"}, run.dir.path()).exitCode, 100);
  EXPECT_EQ(run.Log(), JoinCrLfLines({"Mod file found: job1.mod", "Path: ", "Reading mod file...",
                                      "Modfile ok!"}));
}

TEST(Run, AnExistingLogIsReplaced) {
  RunFolder run({"job1.mod"});
  test::WriteFile(run / "job1_VIC.log", "an older and much longer log\r\n\r\n\r\n");
  EXPECT_EQ(RunCheck({run / "job1.xyz"}).exitCode, 100);
  EXPECT_EQ(run.Log(),
            JoinCrLfLines({"Mod file found: " + (run / "job1.mod"), "Path: " + run.dir.path(),
                           "Reading mod file...", "Modfile ok!"}));
}

TEST(Run, WrongArgumentCountsWriteNoLog) {
  RunFolder run({"job1.mod"});
  const platform::testing::ChildResult two = RunCheck({run / "job1.xyz", run / "job1.xyz"});
  EXPECT_EQ(two.exitCode, 101);
  EXPECT_EQ(two.standardError, "");

  const platform::testing::ChildResult none = RunCheck({}, run.dir.path());
  EXPECT_EQ(none.exitCode, 101);
  EXPECT_EQ(none.standardError,
            "Usage: VesmarInvChk <run file>" + platform::testing::kStreamLineEnd);

  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(run.dir.path()), {}), 1);
}

TEST(Run, AnUnwritableLogEndsWith101AndOneLineOfReason) {
  RunFolder run({"job1.mod"});
  std::filesystem::create_directory(run / "job1_VIC.log");
  for (const std::string& argument : {run / "job1.xyz", run / "gone/job1.xyz"}) {
    const platform::testing::ChildResult result = RunCheck({argument});
    EXPECT_EQ(result.exitCode, 101) << argument;
    EXPECT_EQ(result.standardError.rfind("VesmarInvChk: cannot write the run log: ", 0), 0u)
        << result.standardError;
    EXPECT_EQ(std::count(result.standardError.begin(), result.standardError.end(), '\n'), 1);
  }
}

TEST(Run, AnUnreadableHeaderEndsTheLogAtTheModelCheck) {
  for (const char* header : {"comment\r\n3\r\n", "comment\r\n1 x\r\n", ""}) {
    RunFolder run({});
    test::WriteFile(run / "job1.mo2", header);
    const platform::testing::ChildResult result = RunCheck({run / "job1.xyz"});
    EXPECT_EQ(result.exitCode, 101);
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(run.Log(), JoinCrLfLines({"Mo2 file found: " + (run / "job1.mo2"),
                                        "Path: " + run.dir.path(), "Reading mod file..."}));
  }
}

} // namespace
} // namespace kiv
