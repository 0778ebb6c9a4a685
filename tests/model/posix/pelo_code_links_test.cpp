// Facts of POSIX systems only: a folder that symbolic links make impossible to open.
#include "model/PeloCode_.h"
#include "testing/support/Failure.h"
#include "testing/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::TempDir;

TEST(PeloCode, BuildFileListEscalatesAFolderThatCannotBeRead) {
  TempDir dir;
  std::filesystem::create_symlink(dir / "loop-a", dir / "loop-b");
  std::filesystem::create_symlink(dir / "loop-b", dir / "loop-a");
  std::vector<std::string> list;
  EXPECT_EQ(test::Failure([&] { BuildFileList(dir / "loop-a", ".dat", &list); }),
            test::Expected("EPFatal", "PeloCode_.BuildFileList\nopendir " + dir / "loop-a" +
                                          "/: Too many levels of symbolic links"));
}

} // namespace
} // namespace kiv
