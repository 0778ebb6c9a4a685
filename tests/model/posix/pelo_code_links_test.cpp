// Facts of POSIX systems only: a folder that symbolic links make impossible to open.
#include "model/PeloCode_.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <typeinfo>

namespace kiv {
namespace {

using test::TempDir;

TEST(PeloCode, BuildFileListEscalatesAFolderThatCannotBeRead) {
  TempDir dir;
  std::filesystem::create_symlink(dir / "loop-a", dir / "loop-b");
  std::filesystem::create_symlink(dir / "loop-b", dir / "loop-a");
  std::vector<std::string> list;
  try {
    BuildFileList(dir / "loop-a", ".dat", &list);
    FAIL() << "expected EPFatal";
  } catch (const EPFatal& e) {
    EXPECT_EQ(typeid(e), typeid(EPFatal));
    EXPECT_EQ(e.Message(), "PeloCode_.BuildFileList\nopendir " + dir / "loop-a" +
                               "/: Too many levels of symbolic links");
  }
}

} // namespace
} // namespace kiv
