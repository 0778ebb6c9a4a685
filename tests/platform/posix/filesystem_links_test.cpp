// Facts of POSIX systems only: symbolic links and devices.
#include "platform/FileSystem.h"
#include "testing/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace kiv::platform {
namespace {

using test::TempDir;

TEST(FileSystem, RegularFileExistsFollowsLinks) {
  TempDir dir;
  test::WriteFile(dir / "file", "x");
  std::filesystem::create_directory(dir / "folder");
  std::filesystem::create_symlink(dir / "file", dir / "link-to-file");
  std::filesystem::create_symlink(dir / "folder", dir / "link-to-folder");
  std::filesystem::create_symlink(dir / "gone", dir / "dangling");

  EXPECT_TRUE(RegularFileExists(dir / "link-to-file"));
  EXPECT_FALSE(RegularFileExists(dir / "link-to-folder"));
  EXPECT_FALSE(RegularFileExists(dir / "dangling"));
  EXPECT_TRUE(DirectoryExists(dir / "link-to-folder"));
}

TEST(FileSystem, AFullDeviceFailsTheWrite) {
  EXPECT_THROW(WriteWholeFile("/dev/full", "x"), std::system_error);
}

} // namespace
} // namespace kiv::platform
