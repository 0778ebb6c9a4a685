#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>
#include <vector>

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

// Paths are UTF-8 whatever the system's own encoding: on Windows they pass to the wide-character
// calls, so that a name means the same to every program.
TEST(FileSystem, NamesBeyondAsciiAreUtf8) {
  TempDir dir;
  const std::string name = "Z\u00fcrich-\u03a9-\U0001F30D.mod";
  WriteWholeFile(dir / name, "content");
  AppendOrCreateFile(dir / name, "+more");
  EXPECT_TRUE(RegularFileExists(dir / name));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(test::Utf8Path(dir.path()))) {
    const std::u8string found = entry.path().filename().u8string();
    names.emplace_back(found.begin(), found.end());
  }
  EXPECT_EQ(names, std::vector<std::string>{name});
  EXPECT_EQ(test::ReadFile(dir / name), "content+more");
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
