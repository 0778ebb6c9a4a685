#include "platform/FileSystem.h"
#include "platform/RenameFile.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <system_error>
#include <vector>

namespace kiv::platform {
namespace {

using test::TempDir;
using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

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

TEST(FileSystem, RenameReplacesTheTargetAndFailsWithoutASource) {
  TempDir dir;
  test::WriteFile(dir / "a.log", "a");
  test::WriteFile(dir / "b.log", "b");
  EXPECT_TRUE(RenameFile(dir / "a.log", dir / "b.log"));
  EXPECT_EQ(test::ReadFile(dir / "b.log"), "a");
  EXPECT_FALSE(test::FileExists(dir / "a.log"));
  EXPECT_FALSE(RenameFile(dir / "a.log", dir / "c.log"));
  ScopedFault refused(Operation::Rename, Fault::Error(std::errc::permission_denied));
  EXPECT_FALSE(RenameFile(dir / "b.log", dir / "c.log"));
  EXPECT_EQ(test::ReadFile(dir / "b.log"), "a");
}

TEST(FileSystem, AppendingNeverTruncatesWhenTheOpenFails) {
  TempDir dir;
  test::WriteFile(dir / "errors.log", "old entry\r\n");
  for (std::errc error : {std::errc::permission_denied, std::errc::no_such_file_or_directory}) {
    ScopedFault refused(Operation::Open, Fault::Error(error));
    EXPECT_EQ(test::SystemFailure([&] { AppendOrCreateFile(dir / "errors.log", "new entry"); }),
              test::ExpectedSystemFailure(error, "open " + dir / "errors.log"));
  }
  EXPECT_EQ(test::ReadFile(dir / "errors.log"), "old entry\r\n");
  AppendOrCreateFile(dir / "errors.log", "new entry\r\n");
  EXPECT_EQ(test::ReadFile(dir / "errors.log"), "old entry\r\nnew entry\r\n");
}

// Both writers, each with the content it leaves in a file that held "old".
struct Writer {
  const char* name;
  std::function<void(const std::string&, std::string_view)> write;
  const char* result;
};

const Writer kWriters[] = {
    {"WriteWholeFile", WriteWholeFile, "0123456789"},
    {"AppendOrCreateFile",
     [](const std::string& path, std::string_view bytes) { AppendOrCreateFile(path, bytes); },
     "old0123456789"},
};

TEST(FileSystem, InterruptedAndShortWritesAreCompleted) {
  for (const Writer& writer : kWriters) {
    for (Fault fault : {Fault::Interruption(), Fault::ShortTransfer(1), Fault::ShortTransfer(7)}) {
      TempDir dir;
      test::WriteFile(dir / "f", "old");
      ScopedFault injected(Operation::Write, fault);
      writer.write(dir / "f", "0123456789");
      EXPECT_TRUE(injected.Injected()) << writer.name;
      EXPECT_EQ(test::ReadFile(dir / "f"), writer.result) << writer.name;
    }
  }
}

struct WriteFailure {
  Operation operation;
  std::errc error;
  const char* call;
};

const WriteFailure kWriteFailures[] = {
    {Operation::Open, std::errc::permission_denied, "open"},
    {Operation::Write, std::errc::no_space_on_device, "write"},
    {Operation::Write, std::errc::io_error, "write"},
    {Operation::Sync, std::errc::io_error, "fsync"},
    {Operation::Close, std::errc::no_space_on_device, "close"},
};

TEST(FileSystem, EachFailingCallIsNamed) {
  for (const Writer& writer : kWriters) {
    for (const WriteFailure& c : kWriteFailures) {
      TempDir dir;
      ScopedFault fault(c.operation, Fault::Error(c.error));
      EXPECT_EQ(test::SystemFailure([&] { writer.write(dir / "f", "x"); }),
                test::ExpectedSystemFailure(c.error, std::string(c.call) + " " + dir / "f"))
          << writer.name;
    }
  }
}

// An append left to the system's cache makes no flush, and one failure of its own; the flush that
// comes later names its failing call as a flushed append does.
TEST(FileSystem, AnAppendLeftToTheCacheIsFlushedLater) {
  TempDir dir;
  {
    ScopedFault failingFlush(Operation::Sync, Fault::Error(std::errc::io_error));
    AppendOrCreateFile(dir / "f", "cached", Flush::later);
    EXPECT_FALSE(failingFlush.Injected());
  }
  EXPECT_EQ(test::ReadFile(dir / "f"), "cached");
  FlushFileToDisk(dir / "f");
  for (const WriteFailure& c : kWriteFailures) {
    if (c.operation == Operation::Write)
      continue;
    ScopedFault fault(c.operation, Fault::Error(c.error));
    EXPECT_EQ(test::SystemFailure([&] { FlushFileToDisk(dir / "f"); }),
              test::ExpectedSystemFailure(c.error, std::string(c.call) + " " + dir / "f"));
  }
  EXPECT_EQ(
      test::SystemFailure([&] { FlushFileToDisk(dir / "absent"); }),
      test::ExpectedSystemFailure(std::errc::no_such_file_or_directory, "open " + dir / "absent"));
  EXPECT_EQ(test::ReadFile(dir / "f"), "cached");
}

TEST(FileSystem, DevicesWithNothingToFlushAreWritten) {
  for (std::errc error : {std::errc::invalid_argument, std::errc::read_only_file_system}) {
    TempDir dir;
    ScopedFault unsupported(Operation::Sync, Fault::Error(error));
    WriteWholeFile(dir / "f", "x");
    EXPECT_TRUE(unsupported.Injected());
    EXPECT_EQ(test::ReadFile(dir / "f"), "x");
  }
}

} // namespace
} // namespace kiv::platform
