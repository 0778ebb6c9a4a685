#include "platform/CommandLine.h"
#include "platform/FileOperations.h"
#include "platform/FolderEntries.h"
#include "platform/KnownFolders.h"
#include "platform/Network.h"
#include "platform/PathNames.h"
#include "platform/SystemInformation.h"
#include "platform/Volumes.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/CommandOutput.h"
#include "testing/support/ScopedEnvironment.h"
#include "testing/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace kiv::platform {
namespace {

using test::CommandLine;
using test::ScopedEnvironment;
using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

TEST(SystemServices, AgreeWithTheSystemCommands) {
  EXPECT_EQ(std::to_string(ProcessorCount()),
            CommandLine("env -u OMP_NUM_THREADS -u OMP_THREAD_LIMIT nproc"));
  EXPECT_EQ(UserName(), CommandLine("id -un"));
  EXPECT_EQ(ComputerNetworkName(), CommandLine("hostname -s"));
  EXPECT_EQ(std::to_string(PhysicalMemoryBytes() / 1024),
            CommandLine("awk '/^MemTotal:/ { print $2 }' /proc/meminfo"));
  // stat prints the two words of the file system id, the one statvfs keeps low first.
  const std::string id = CommandLine("stat -f -c %i /");
  ASSERT_FALSE(id.empty());
  const std::string padded = std::string(16 - std::min<size_t>(id.size(), 16), '0') + id;
  ASSERT_TRUE(VolumeSerialNumber("/").has_value());
  EXPECT_EQ(*VolumeSerialNumber("/"), std::stoul(padded.substr(0, 8), nullptr, 16));
}

TEST(SystemServices, FailedQueriesGiveNoAnswer) {
  {
    ScopedFault fault(Operation::SystemQuery, Fault::Error(std::errc::permission_denied));
    EXPECT_EQ(UserName(), std::nullopt);
  }
  {
    ScopedFault fault(Operation::SystemQuery, Fault::Error(std::errc::invalid_argument));
    EXPECT_EQ(ComputerNetworkName(), std::nullopt);
  }
  {
    ScopedFault fault(Operation::SystemQuery, Fault::Error(std::errc::invalid_argument));
    EXPECT_EQ(ProcessorCount(), 0);
  }
  {
    ScopedFault fault(Operation::SystemQuery, Fault::Error(std::errc::not_enough_memory));
    EXPECT_EQ(NetworkCardAddress(), std::nullopt);
  }
  {
    ScopedFault fault(Operation::VolumeQuery, Fault::Error(std::errc::io_error));
    EXPECT_EQ(FreeBytesForUser("/"), std::nullopt);
  }
  EXPECT_EQ(VolumeSerialNumber("/no/such/volume"), std::nullopt);
  EXPECT_GT(FreeBytesForUser("/").value_or(-1), 0);
}

TEST(SystemServices, FixedDrivesAreMountPoints) {
  for (const std::string& root : FixedDriveRoots())
    EXPECT_TRUE(root.starts_with('/')) << root;
  ScopedFault fault(Operation::Open, Fault::Error(std::errc::permission_denied));
  EXPECT_THROW(FixedDriveRoots(), std::system_error);
}

TEST(SystemServices, CommandLineStartsWithTheProgram) {
  const std::vector<std::string> arguments = CommandLineArguments();
  ASSERT_FALSE(arguments.empty());
  EXPECT_NE(arguments[0].find("kiv_platform_tests"), std::string::npos);
}

TEST(KnownFolders, ReadTheEnvironmentOnEveryCall) {
  test::TempDir dir;
  ScopedEnvironment home("HOME", dir.path() + "home");
  {
    ScopedEnvironment config("XDG_CONFIG_HOME", dir.path() + "config");
    EXPECT_EQ(ShellFolder(kFolderLocalAppData), dir.path() + "config");
    EXPECT_EQ(ShellFolder(kFolderPersonal), dir.path() + "home/Documents");
    std::filesystem::create_directory(dir / "config");
    test::WriteFile(dir / "config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    EXPECT_EQ(ShellFolder(kFolderPersonal), dir.path() + "home/Papers");
  }
  ScopedEnvironment emptyConfig("XDG_CONFIG_HOME", "");
  EXPECT_EQ(ShellFolder(kFolderLocalAppData), dir.path() + "home/.config");
  EXPECT_EQ(ShellFolder(12345), std::nullopt);
  ScopedEnvironment temporary("TMPDIR", dir.path());
  EXPECT_EQ(TemporaryFolder() + "/", dir.path());
}

TEST(FolderEntries, AttributesAndMasksWithoutFollowingLinks) {
  test::TempDir dir;
  test::WriteFile(dir / "a.txt", "x");
  test::WriteFile(dir / "noext", "x");
  std::filesystem::create_directory(dir / "sub");
  std::filesystem::create_directory_symlink(dir / "sub", dir / "link");
  std::map<std::string, FolderEntry> byName;
  for (const FolderEntry& entry : ListFolderEntries(dir.path(), "*.*"))
    byName[entry.Name] = entry;
  ASSERT_EQ(byName.size(), 4u); // "*.*" means any name, one without a dot too
  EXPECT_EQ(byName["a.txt"].Attributes, kAttributeArchive);
  EXPECT_EQ(byName["sub"].Attributes, kAttributeFolder);
  EXPECT_TRUE(byName["sub"].IsFolder);
  EXPECT_EQ(byName["link"].Attributes, kAttributeLink | kAttributeFolder);
  EXPECT_FALSE(byName["link"].IsFolder);
  EXPECT_EQ(ListFolderEntries(dir.path(), "*.txt").size(), 1u);
  EXPECT_TRUE(ListFolderEntries(dir / "absent", "*").empty());
  ScopedFault fault(Operation::ReadDirectory, Fault::Error(std::errc::io_error));
  EXPECT_THROW(ListFolderEntries(dir.path(), "*"), std::system_error);
}

TEST(FileOperations, PrivateFilesAreCreatedOnce) {
  test::TempDir dir;
  EXPECT_TRUE(CreateNewPrivateFile(dir / "f"));
  EXPECT_FALSE(CreateNewPrivateFile(dir / "f"));
  struct stat info {};
  ASSERT_EQ(stat((dir / "f").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(FileOperations, FolderPathsAreCreatedWithTheirParents) {
  test::TempDir dir;
  CreateFolderPath(dir / "a/b/c");
  EXPECT_EQ(KindOf(dir / "a/b/c"), EntryKind::Folder);
  CreateFolderPath(dir / "a/b/c"); // already there
  ScopedFault fault(Operation::CreateFolder, Fault::Error(std::errc::read_only_file_system));
  try {
    CreateFolderPath(dir / "x");
    FAIL() << "no failure";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::errc::read_only_file_system);
    EXPECT_EQ(std::string(e.what()).substr(0, 6), "mkdir ");
  }
}

// The folder asked for, and every parent made for it, gets the rights asked for; a failure names
// the folder asked for when its parent exists.
TEST(FileOperations, FolderPathsGetTheirAccessAndAFailureNamesTheFolder) {
  test::TempDir dir;
  CreateFolderPath(dir / "shared/sub", FolderAccess::EveryoneReads);
  for (const char* folder : {"shared", "shared/sub"}) {
    struct stat info {};
    ASSERT_EQ(stat((dir / folder).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0755u) << folder;
  }
  ScopedFault fault(Operation::CreateFolder, Fault::Error(std::errc::permission_denied));
  try {
    CreateFolderPath(dir / "shared/new");
    FAIL() << "no failure";
  } catch (const std::system_error& e) {
    EXPECT_EQ(e.code(), std::errc::permission_denied);
    EXPECT_EQ(std::string(e.what()), "mkdir " + (dir / "shared/new") + ": Permission denied");
  }
}

TEST(PathNames, EntryLongNamesOfExistingEntriesOnly) {
  test::TempDir dir;
  test::WriteFile(dir / "Long Name.txt", "x");
  EXPECT_EQ(EntryLongName(dir / "Long Name.txt"), "Long Name.txt");
  EXPECT_EQ(EntryLongName(dir / "absent"), std::nullopt);
  EXPECT_EQ(EntryLongName(dir.path()), std::nullopt); // ends in a separator
  EXPECT_EQ(LongPathName(dir / "Long Name.txt"), dir / "Long Name.txt");
  EXPECT_EQ(LongPathName(dir / "absent/x"), std::nullopt);
}

TEST(FileOperations, RootsAreRecognisedHoweverSpelled) {
  EXPECT_TRUE(IsRootFolder("/"));
  EXPECT_TRUE(IsRootFolder("/tmp/.."));
  EXPECT_FALSE(IsRootFolder("/tmp"));
}

} // namespace
} // namespace kiv::platform
