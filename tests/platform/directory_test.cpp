#include "platform/Directory.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace kiv::platform {
namespace {

using test::TempDir;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Directory, ListsRegularFilesEndingWithTheSuffix) {
  TempDir dir;
  for (const char* name : {"a.dat", ".hidden.dat", "upper.DAT", "a.dat.bak", "plain", ".dat"})
    test::WriteFile(dir / name, "x");
  std::filesystem::create_directory(dir / "folder.dat");
  test::WriteFile(dir / "folder.dat/inner.dat", "x");
  std::filesystem::create_symlink(dir / "a.dat", dir / "link-to-file.dat");
  std::filesystem::create_symlink(dir / "folder.dat", dir / "link-to-folder.dat");
  std::filesystem::create_symlink(dir / "gone", dir / "dangling.dat");
  std::filesystem::permissions(dir / "plain", std::filesystem::perms::none);

  const std::vector<std::string> expected = {".dat", ".hidden.dat", "a.dat", "link-to-file.dat"};
  EXPECT_EQ(Sorted(ListFilesEndingWith(dir.path(), ".dat")), expected);
  // The folder may be given with or without its trailing separator.
  std::string withoutSeparator = dir.path();
  withoutSeparator.pop_back();
  EXPECT_EQ(Sorted(ListFilesEndingWith(withoutSeparator, ".dat")), expected);
  EXPECT_EQ(Sorted(ListFilesEndingWith(dir.path(), "")),
            (std::vector<std::string>{".dat", ".hidden.dat", "a.dat", "a.dat.bak",
                                      "link-to-file.dat", "plain", "upper.DAT"}));
}

TEST(Directory, MissingFolderIsEmptyButOtherFailuresThrow) {
  TempDir dir;
  test::WriteFile(dir / "file", "x");
  EXPECT_TRUE(ListFilesEndingWith(dir / "absent", "").empty());
  EXPECT_TRUE(ListFilesEndingWith(dir / "file", "").empty());

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
