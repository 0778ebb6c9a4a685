#include "platform/Directory.h"
#include "platform/testing/FaultInjection.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <system_error>

namespace kiv::platform {
namespace {

using test::TempDir;
using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Directory, ListsRegularFilesEndingWithTheSuffix) {
  TempDir dir;
  for (const char* name : {"a.dat", ".hidden.dat", "a.dat.bak", "plain", ".dat"})
    test::WriteFile(dir / name, "x");
  std::filesystem::create_directory(dir / "folder.dat");
  test::WriteFile(dir / "folder.dat/inner.dat", "x");

  const std::vector<std::string> expected = {".dat", ".hidden.dat", "a.dat"};
  EXPECT_EQ(Sorted(ListFilesEndingWith(dir.path(), ".dat")), expected);
  // The folder may be given with or without its trailing separator.
  std::string withoutSeparator = dir.path();
  withoutSeparator.pop_back();
  EXPECT_EQ(Sorted(ListFilesEndingWith(withoutSeparator, ".dat")), expected);
  EXPECT_EQ(Sorted(ListFilesEndingWith(dir.path(), "")),
            (std::vector<std::string>{".dat", ".hidden.dat", "a.dat", "a.dat.bak", "plain"}));
}

TEST(Directory, LetterCaseCountsOnLinuxButNotOnWindows) {
  TempDir dir;
  for (const char* name : {"lower.dat", "upper.DAT", "mixed.Dat"})
    test::WriteFile(dir / name, "x");
#ifdef _WIN32
  const std::vector<std::string> expected = {"lower.dat", "mixed.Dat", "upper.DAT"};
#else
  const std::vector<std::string> expected = {"lower.dat"};
#endif
  EXPECT_EQ(Sorted(ListFilesEndingWith(dir.path(), ".dat")), expected);
}

TEST(Directory, NamesAreUtf8) {
  TempDir dir;
  const std::string folder = dir / "\u00e9t\u00e9";
  std::filesystem::create_directory(test::Utf8Path(folder));
  test::WriteFile(folder + "/\u03a9-\U0001F30D.dat", "x");
  EXPECT_EQ(ListFilesEndingWith(folder, ".dat"), std::vector<std::string>{"\u03a9-\U0001F30D.dat"});
}

TEST(Directory, MissingFolderIsEmpty) {
  TempDir dir;
  test::WriteFile(dir / "file", "x");
  EXPECT_TRUE(ListFilesEndingWith(dir / "absent", "").empty());
  EXPECT_TRUE(ListFilesEndingWith(dir / "file", "").empty());
}

TEST(Directory, FailuresOfTheListingThrow) {
  TempDir dir;
  test::WriteFile(dir / "file", "x");
  for (const Operation operation : {Operation::ListDirectory, Operation::ReadDirectory}) {
    ScopedFault fault(operation, Fault::Error(std::errc::io_error));
    try {
      ListFilesEndingWith(dir.path(), "");
      ADD_FAILURE() << "a listing that fails must throw";
    } catch (const std::system_error& e) {
      EXPECT_EQ(e.code(), std::errc::io_error);
      EXPECT_NE(std::string(e.what()).find(dir.path()), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fault.Injected());
  }
}

} // namespace
} // namespace kiv::platform
