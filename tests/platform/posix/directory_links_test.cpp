// Facts of POSIX systems only: symbolic links and permissions.
#include "platform/Directory.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace kiv::platform {
namespace {

using test::TempDir;

TEST(Directory, FollowsLinksAndListsUnreadableFiles) {
  TempDir dir;
  test::WriteFile(dir / "a.dat", "x");
  test::WriteFile(dir / "plain.dat", "x");
  std::filesystem::create_directory(dir / "folder");
  std::filesystem::create_symlink(dir / "a.dat", dir / "link-to-file.dat");
  std::filesystem::create_symlink(dir / "folder", dir / "link-to-folder.dat");
  std::filesystem::create_symlink(dir / "gone", dir / "dangling.dat");
  std::filesystem::permissions(dir / "plain.dat", std::filesystem::perms::none);

  std::vector<std::string> names = ListFilesEndingWith(dir.path(), ".dat");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.dat", "link-to-file.dat", "plain.dat"}));
}

TEST(Directory, AFolderThatCannotBeOpenedThrows) {
  TempDir dir;
  std::filesystem::create_symlink(dir / "loop-a", dir / "loop-b");
  std::filesystem::create_symlink(dir / "loop-b", dir / "loop-a");
  try {
    ListFilesEndingWith(dir / "loop-a", "");
    FAIL() << "a folder that cannot be opened must fail";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::errc::too_many_symbolic_link_levels);
    EXPECT_EQ(std::string(e.what()),
              "opendir " + dir / "loop-a" + ": Too many levels of symbolic links");
  }
}

} // namespace
} // namespace kiv::platform
