#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace kiv::platform {
namespace {

using test::TempDir;

TEST(FileSystem, RegularFileExistsFollowsLinksAndRefusesFolders) {
  TempDir dir;
  test::WriteFile(dir / "file", "x");
  std::filesystem::create_directory(dir / "folder");
  std::filesystem::create_symlink(dir / "file", dir / "link-to-file");
  std::filesystem::create_symlink(dir / "folder", dir / "link-to-folder");
  std::filesystem::create_symlink(dir / "gone", dir / "dangling");

  EXPECT_TRUE(RegularFileExists(dir / "file"));
  EXPECT_TRUE(RegularFileExists(dir / "link-to-file"));
  EXPECT_FALSE(RegularFileExists(dir / "folder"));
  EXPECT_FALSE(RegularFileExists(dir / "link-to-folder"));
  EXPECT_FALSE(RegularFileExists(dir / "dangling"));
  EXPECT_FALSE(RegularFileExists(dir / "absent"));
  EXPECT_TRUE(DirectoryExists(dir / "link-to-folder"));
  EXPECT_FALSE(DirectoryExists(dir / "file"));
}

TEST(FileSystem, WritesReplaceAndAppend) {
  TempDir dir;
  WriteWholeFile(dir / "f", "first");
  WriteWholeFile(dir / "f", "new");
  EXPECT_EQ(test::ReadFile(dir / "f"), "new");
  AppendOrCreateFile(dir / "f", "+more");
  AppendOrCreateFile(dir / "g", "created");
  EXPECT_EQ(test::ReadFile(dir / "f"), "new+more");
  EXPECT_EQ(test::ReadFile(dir / "g"), "created");
}

TEST(FileSystem, WriteFailuresAreSystemErrors) {
  TempDir dir;
  EXPECT_THROW(WriteWholeFile(dir / "no-folder/f", "x"), std::system_error);
  EXPECT_THROW(WriteWholeFile("/dev/full", "x"), std::system_error);
  EXPECT_THROW(AppendOrCreateFile(dir / "no-folder/f", "x"), std::system_error);
}

TEST(Process, ExecutablePathNamesThisTestProgram) {
  EXPECT_EQ(std::filesystem::path(ExecutablePath()).filename(), "kiv_platform_tests");
}

} // namespace
} // namespace kiv::platform
