#include "platform/Directory.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

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

// Regular files of several shapes, with a folder, and on POSIX systems links to a file, a folder
// and nothing.
void MakeFixture(const TempDir& dir) {
  for (const char* name : {"a.dat", ".dat", "ab.dat", "a.b.dat", "upper.DAT", "a.dat.bak", "ab",
                           "axyb", "b", "abc", "\xC3\xA9.dat", "plain"})
    test::WriteFile(dir / name, "x");
  std::filesystem::create_directory(dir / "folder.dat");
  test::WriteFile(dir / "folder.dat/inner.dat", "x");
#ifndef _WIN32
  std::filesystem::create_symlink(dir / "a.dat", dir / "link-to-file.dat");
  std::filesystem::create_symlink(dir / "folder.dat", dir / "link-to-folder.dat");
  std::filesystem::create_symlink(dir / "gone", dir / "dangling.dat");
#endif
  std::filesystem::permissions(dir / "plain", std::filesystem::perms::none);
}

// A pattern and the names it lists on Linux. Windows matches without regard to case, which
// lists the extra names too; a row whose answer Wine's matcher gives differently from Windows
// is checked on Linux only.
struct PatternCase {
  const char* pattern;
  std::vector<std::string> names;
  std::vector<std::string> extraWithoutCase = {};
  bool linuxOnly = false;
};

const PatternCase kPatternCases[] = {
    {"*.dat",
     {".dat", "a.b.dat", "a.dat", "ab.dat", "link-to-file.dat", "\xC3\xA9.dat"},
     {"upper.DAT"}},
    {"*?.dat", {"a.b.dat", "a.dat", "ab.dat", "link-to-file.dat", "\xC3\xA9.dat"}, {}, true},
    {"?.dat", {"a.dat", "\xC3\xA9.dat"}},
    {"*.*.dat", {"a.b.dat"}},
    {"*a*b", {"ab", "axyb"}},
    {"a?c", {"abc"}},
    {"a.dat", {"a.dat"}},
    {"*.DAT", {"upper.DAT"}, {".dat", "a.b.dat", "a.dat", "ab.dat", "\xC3\xA9.dat"}},
    {"*",
     {".dat", "a.b.dat", "a.dat", "a.dat.bak", "ab", "ab.dat", "abc", "axyb", "b",
      "link-to-file.dat", "plain", "upper.DAT", "\xC3\xA9.dat"}},
    {"", {}},
};

// What the row lists on this system: without the links on Windows, where the fixture has none.
std::vector<std::string> Expected(const PatternCase& c) {
#ifdef _WIN32
  std::vector<std::string> names = c.extraWithoutCase;
  for (const std::string& name : c.names)
    if (!name.starts_with("link-"))
      names.push_back(name);
  return Sorted(names);
#else
  return Sorted(c.names);
#endif
}

TEST(Directory, ListsTheRegularFilesThatMatchTheWildcardPattern) {
  TempDir dir;
  MakeFixture(dir);
  std::string withoutSeparator = dir.path();
  withoutSeparator.pop_back();
  for (const PatternCase& c : kPatternCases) {
#ifdef _WIN32
    if (c.linuxOnly)
      continue;
#endif
    EXPECT_EQ(Sorted(ListMatchingFiles(dir.path(), c.pattern)), Expected(c)) << c.pattern;
    EXPECT_EQ(Sorted(ListMatchingFiles(withoutSeparator, c.pattern)), Expected(c)) << c.pattern;
  }
}

TEST(Directory, MissingOrUnreadableFoldersListNothing) {
  TempDir dir;
  MakeFixture(dir);
  test::WriteFile(dir / "file", "x");
  EXPECT_TRUE(ListMatchingFiles(dir / "absent", "*").empty());
  EXPECT_TRUE(ListMatchingFiles(dir / "file", "*").empty());
  // Tests may run as a user whom no permission stops, so the refusal comes from the seam.
  ScopedFault refused(Operation::ListDirectory, Fault::Error(std::errc::permission_denied));
  EXPECT_TRUE(ListMatchingFiles(dir.path(), "*").empty());
  EXPECT_TRUE(refused.Injected());
}

struct ListingFailure {
  Operation operation;
  std::errc error;
  const char* call;
};

const ListingFailure kListingFailures[] = {
    {Operation::ListDirectory, std::errc::too_many_files_open, "opendir"},
    {Operation::ListDirectory, std::errc::io_error, "opendir"},
    {Operation::ReadDirectory, std::errc::io_error, "readdir"},
};

TEST(Directory, OtherFailuresThrowNamingTheCall) {
  TempDir dir;
  MakeFixture(dir);
  for (const ListingFailure& c : kListingFailures) {
    ScopedFault fault(c.operation, Fault::Error(c.error));
    EXPECT_EQ(test::SystemFailure([&] { ListMatchingFiles(dir.path(), "*"); }),
              test::ExpectedSystemFailure(c.error, std::string(c.call) + " " + dir.path()));
  }
}

} // namespace
} // namespace kiv::platform
