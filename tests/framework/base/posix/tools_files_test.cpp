// Linux services: links, modes, xdg-open and /proc.

#include "framework/base/Tools.h"
#include "platform/FolderEntries.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/TempDir.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;
using test::TempDir;
namespace fs = std::filesystem;

size_t EntryCount(const std::string& folder) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(StringFiles, SaveAndReadBack) {
  TempDir dir;
  std::string eightBit;
  for (int c = 1; c < 256; ++c)
    eightBit += static_cast<char>(c);
  for (const std::string& text : {std::string(), std::string("line\r\nnext"), eightBit}) {
    std::string message = "old";
    EXPECT_TRUE(TTools::StringSaveToFile(dir / "f.txt", text, &message));
    EXPECT_EQ(message, "");
    EXPECT_EQ(TTools::StringReadFrom(dir / "f.txt", &message), text);
    EXPECT_EQ(message, "");
  }
}

TEST(StringFiles, FailedSaveKeepsTheOldContentAndLeavesNoTemporary) {
  TempDir dir;
  test::WriteFile(dir / "f.txt", "old content");
  std::string message;
  {
    ScopedFault full(Operation::Write, Fault::Error(std::errc::no_space_on_device));
    EXPECT_FALSE(TTools::StringSaveToFile(dir / "f.txt", "new content", &message));
  }
  EXPECT_EQ(message, "error saving file to string");
  EXPECT_EQ(test::ReadFile(dir / "f.txt"), "old content");
  EXPECT_EQ(EntryCount(dir.path()), 1u);
}

TEST(StringFiles, OverlongNameFailsBeforeWriting) {
  TempDir dir;
  const std::string name = dir / std::string(260, 'n');
  EXPECT_THROW(TTools::StringSaveToFile(name, "x"), std::system_error);
  EXPECT_EQ(EntryCount(dir.path()), 0u);
}

TEST(StringFiles, ReadingStopsAtAZeroByteAndReportsShortReads) {
  TempDir dir;
  test::WriteFile(dir / "empty", "");
  test::WriteFile(dir / "zero", std::string("ab\0cd", 5));
  std::string message = "old";
  EXPECT_EQ(TTools::StringReadFrom(dir / "empty", &message), "");
  EXPECT_EQ(message, "");
  EXPECT_EQ(TTools::StringReadFrom(dir / "zero", &message), "ab");
  {
    ScopedFault broken(Operation::Read, Fault::Error(std::errc::io_error));
    EXPECT_EQ(TTools::StringReadFrom(dir / "zero", &message), "");
  }
  EXPECT_EQ(message, "Error reading file:\tCould not read the whole file");
  EXPECT_THROW(TTools::StringReadFrom(dir / "absent", &message), std::system_error);
}

TEST(GetFileSize, BytesOrMinusOne) {
  TempDir dir;
  test::WriteFile(dir / "f", "12345");
  EXPECT_EQ(TTools::GetFileSize(dir / "f"), 5);
  EXPECT_EQ(TTools::GetFileSize(dir / "absent"), -1);
  EXPECT_EQ(TTools::GetFileSize(dir.path()), -1);
}

TEST(CopyFile, TheFlagRefusesAnExistingTarget) {
  struct Row {
    bool targetExists;
    bool flag;
    bool copied;
  };
  for (const Row& row : {Row{false, true, true}, Row{false, false, true}, Row{true, true, false},
                         Row{true, false, true}}) {
    TempDir dir;
    test::WriteFile(dir / "from", "new");
    if (row.targetExists)
      test::WriteFile(dir / "to", "old");
    EXPECT_EQ(TTools::CopyFile(dir / "from", dir / "to", row.flag), row.copied)
        << row.targetExists << row.flag;
    EXPECT_EQ(test::ReadFile(dir / "to"), row.copied ? "new" : "old");
  }
}

TEST(CopyFile, OntoItselfIsRefusedAndAFailedCopyKeepsTheTarget) {
  TempDir dir;
  test::WriteFile(dir / "from", "new");
  test::WriteFile(dir / "to", "old");
  EXPECT_FALSE(TTools::CopyFile(dir / "from", dir / "from", false));
  EXPECT_FALSE(TTools::CopyFile(dir / "from", dir / "./from", false));
  EXPECT_EQ(test::ReadFile(dir / "from"), "new");
  {
    ScopedFault full(Operation::Write, Fault::Error(std::errc::no_space_on_device));
    EXPECT_FALSE(TTools::CopyFile(dir / "from", dir / "to", false));
  }
  EXPECT_EQ(test::ReadFile(dir / "to"), "old");
  EXPECT_EQ(EntryCount(dir.path()), 2u);
  EXPECT_FALSE(TTools::CopyFile(dir / "absent", dir / "to", false));
}

TEST(StringFiles, AFifoIsNeitherSavedOverNorCopiedOnto) {
  TempDir dir;
  test::WriteFile(dir / "from", "new");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  fs::create_symlink("pipe", dir / "pipe.lnk");
  std::string message;
  EXPECT_FALSE(TTools::StringSaveToFile(dir / "pipe.lnk", "new content", &message));
  EXPECT_EQ(message, "error saving file to string");
  EXPECT_FALSE(TTools::CopyFile(dir / "from", dir / "pipe", false));
  EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
  EXPECT_EQ(EntryCount(dir.path()), 3u);
}

TEST(CleanDir, RefusesEmptyPathsRootsAndAnythingButARealFolder) {
  TempDir dir;
  test::WriteFile(dir / "file", "x");
  fs::create_directory(dir / "folder");
  fs::create_directory_symlink(dir / "folder", dir / "link");
  struct Row {
    std::string path;
    bool refused;
  };
  for (const Row& row :
       {Row{"", true}, Row{"/", true}, Row{"//", true}, Row{"/tmp/..", true},
        Row{dir / "absent", true}, Row{dir / "file", true}, Row{dir / "link", true},
        Row{dir / "link/", true}, Row{dir / "folder", false}, Row{dir / "folder/", false}})
    EXPECT_EQ(TTools::CleanDirRefuses(row.path), row.refused) << '"' << row.path << '"';
}

TEST(CleanDir, RemovesLinksButNothingOutside) {
  TempDir outside;
  test::WriteFile(outside / "keep.txt", "x");
  TempDir dir;
  test::WriteFile(dir / "a.txt", "x");
  fs::create_directory(dir / "sub");
  test::WriteFile(dir / "sub/b.txt", "x");
  fs::create_directory_symlink(outside.path(), dir / "sub/outside");
  fs::create_symlink(outside / "keep.txt", dir / "file-link");
  TTools::CleanDir(dir.path());
  EXPECT_TRUE(test::FileExists(outside / "keep.txt"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "sub/outside")));
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "file-link")));
  EXPECT_FALSE(fs::exists(dir / "a.txt"));
  EXPECT_FALSE(fs::exists(dir / "sub/b.txt"));
  EXPECT_TRUE(fs::is_directory(dir / "sub")); // folders stay, so the folder itself stays
}

TEST(CleanDir, RemovesAFolderOfFilesOnly) {
  TempDir dir;
  fs::create_directory(dir / "work");
  test::WriteFile(dir / "work/a", "x");
  test::WriteFile(dir / "work/b", "x");
  TTools::CleanDir(dir / "work");
  EXPECT_FALSE(fs::exists(dir / "work"));
}

// A tree with one file of the mask per folder and a link that would loop.
class FindFilesTree : public ::testing::Test {
protected:
  void SetUp() override {
    test::WriteFile(dir_ / "a.txt", "x");
    test::WriteFile(dir_ / "b.dat", "x");
    fs::create_directories(dir_ / "sub/deeper");
    test::WriteFile(dir_ / "sub/c.txt", "x");
    test::WriteFile(dir_ / "sub/deeper/d.txt", "x");
    fs::create_directory_symlink(dir_.path(), dir_ / "loop");
  }
  TempDir dir_;
};

TEST_F(FindFilesTree, FilesOfAFolderComeBeforeThoseOfItsSubFolders) {
  const auto found = TTools::FindFiles(dir_ / "*.txt", true, platform::kAttributeArchive);
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, (std::vector<std::string>{dir_ / "a.txt", dir_ / "sub/c.txt",
                                              dir_ / "sub/deeper/d.txt"}));
}

TEST_F(FindFilesTree, MinusOneTakesFoldersAndLinksWithoutFollowingThem) {
  const auto top = TTools::FindFiles(dir_ / "*.*", false, -1);
  ASSERT_TRUE(top);
  std::vector<std::string> sorted = *top;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::string>{dir_ / "a.txt", dir_ / "b.dat", dir_ / "loop",
                                              dir_ / "sub"}));
  const auto all = TTools::FindFiles(dir_ / "*.*", true, -1);
  ASSERT_TRUE(all);
  EXPECT_EQ(all->size(), 7u); // the loop is listed once, never entered
}

TEST_F(FindFilesTree, ACallbackStopsTheWholeSearch) {
  std::vector<std::pair<std::string, int>> heard;
  const auto found = TTools::FindFiles(dir_ / "*.txt", true, platform::kAttributeArchive,
                                       [&](const std::string& message, int count, bool& stop) {
                                         heard.emplace_back(message, count);
                                         stop = count == 3;
                                       });
  ASSERT_TRUE(found);
  EXPECT_EQ(found->size(), 3u);
  EXPECT_EQ(found->back(), dir_ / "sub/deeper/d.txt");
  EXPECT_EQ(heard.front(), std::make_pair(std::string("File name \"a.txt\""), 1));
  EXPECT_EQ(heard.size(), 3u);
}

TEST_F(FindFilesTree, AFailureGivesNoList) {
  ScopedFault denied(Operation::ListDirectory, Fault::Error(std::errc::permission_denied), 1);
  EXPECT_EQ(TTools::FindFiles(dir_ / "*.txt", true, -1), std::nullopt);
}

TEST(SetFileDateTime, TwoSecondResolution) {
  TempDir dir;
  test::WriteFile(dir / "f", "x");
  const platform::LocalDateTime time{2020, 3, 4, 5, 6, 7, 0};
  EXPECT_TRUE(TTools::SetFileDateTime(dir / "f", time));
  struct stat info {};
  ASSERT_EQ(stat((dir / "f").c_str(), &info), 0);
  std::tm local{};
  localtime_r(&info.st_mtime, &local);
  EXPECT_EQ(std::make_tuple(local.tm_year, local.tm_mon, local.tm_mday, local.tm_hour, local.tm_min,
                            local.tm_sec),
            std::make_tuple(120, 2, 4, 5, 6, 6));
  EXPECT_FALSE(TTools::SetFileDateTime(dir / "absent", time));
  ScopedFault refused(Operation::SetFileTime, Fault::Error(std::errc::operation_not_permitted));
  EXPECT_FALSE(TTools::SetFileDateTime(dir / "f", time));
}

} // namespace
} // namespace kiv
