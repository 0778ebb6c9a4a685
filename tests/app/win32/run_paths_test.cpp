// The run file as the engine names it on Windows: a drive letter with "\" separators, or with
// "/" ones, in a folder whose name is beyond ASCII. The log and the exit code must be the ones of
// the Linux build.
#include "core/TextFile.h"
#include "testing/support/RunFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace kiv {
namespace {

// A fresh folder under the build's scratch folder on drive Z:, with every separator written as
// separator, removed with everything in it.
class ScratchFolder {
public:
  explicit ScratchFolder(char separator) {
    std::random_device seed;
    // A name beyond ASCII, which the ANSI code page would not carry through.
    std::string path = KIV_TEST_SCRATCH_DIR "/run-\u00e9t\u00e9-" + std::to_string(seed()) + "/";
    std::replace(path.begin(), path.end(), '/', separator);
    std::filesystem::create_directories(test::Utf8Path(path));
    path_ = path;
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(test::Utf8Path(path_), ignored);
  }
  const std::string& path() const { return path_; }

private:
  std::string path_;
};

TEST(Run, DriveLetterPathsWithEitherSeparatorGiveTheSameLogAndExitCode) {
  for (const char separator : {'\\', '/'}) {
    const ScratchFolder run(separator);
    ASSERT_EQ(run.path().rfind(std::string("Z:") + separator, 0), 0u) << run.path();
    for (const char* name : {"job1.xyz", "job1.mod"})
      std::filesystem::copy_file(KIV_EXAMPLES_DIR "/run/" + std::string(name),
                                 test::Utf8Path(run.path() + name));
    const std::string runFile = run.path() + "job1.xyz";

    const platform::testing::ChildResult result = test::RunCheck({runFile});
    EXPECT_EQ(result.exitCode, 100) << runFile;
    EXPECT_EQ(result.standardError, "");
    EXPECT_EQ(test::ReadFile(run.path() + "job1_VIC.log"),
              JoinCrLfLines({"Mod file found: " + run.path() + "job1.mod", "Path: " + run.path(),
                             "Reading mod file...", "Modfile ok!"}));

    test::WriteFile(run.path() + "job1.mod", "comment\r\n3\r\n");
    EXPECT_EQ(test::RunCheck({runFile}).exitCode, 101) << runFile;
    EXPECT_EQ(test::ReadFile(run.path() + "job1_VIC.log"),
              JoinCrLfLines({"Mod file found: " + run.path() + "job1.mod", "Path: " + run.path(),
                             "Reading mod file..."}));
  }
}

} // namespace
} // namespace kiv
