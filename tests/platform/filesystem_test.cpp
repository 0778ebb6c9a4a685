#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace kiv::platform {
namespace {

using test::TempDir;

TEST(FileSystem, RegularFileExistsRefusesFolders) {
  TempDir dir;
  test::WriteFile(dir / "file", "x");
  std::filesystem::create_directory(dir / "folder");

  EXPECT_TRUE(RegularFileExists(dir / "file"));
  EXPECT_FALSE(RegularFileExists(dir / "folder"));
  EXPECT_FALSE(RegularFileExists(dir / "absent"));
  EXPECT_FALSE(RegularFileExists(""));
  EXPECT_TRUE(DirectoryExists(dir / "folder"));
  EXPECT_TRUE(DirectoryExists(dir.path()));
  EXPECT_FALSE(DirectoryExists(dir / "file"));
  EXPECT_FALSE(DirectoryExists(dir / "absent"));
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
  EXPECT_THROW(AppendOrCreateFile(dir / "no-folder/f", "x"), std::system_error);
}

TEST(Process, ExecutablePathNamesThisTestProgram) {
  EXPECT_EQ(std::filesystem::path(ExecutablePath()).filename(),
            "kiv_platform_tests" KIV_EXECUTABLE_SUFFIX);
}

} // namespace
} // namespace kiv::platform
