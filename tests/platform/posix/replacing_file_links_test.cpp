// Facts of POSIX systems only: links, permissions, owners and the flush of the folder.
#include "platform/ReplacingFile.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/ReplacingFileSteps.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace kiv::platform {
namespace {

namespace fs = std::filesystem;
using test::Entries;
using test::Save;
using test::TempDir;
using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

struct stat Status(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

TEST(ReplacingFile, SavingThroughLinksReplacesTheLinkedFile) {
  TempDir dir;
  fs::create_directory(dir / "real");
  test::WriteFile(dir / "real/model.mod", "old");
  fs::create_symlink("real/model.mod", dir / "relative.lnk");
  fs::create_symlink(dir / "relative.lnk", dir / "absolute.lnk");
  fs::create_symlink("real/fresh.mod", dir / "dangling.lnk");

  Save(dir / "absolute.lnk", "new");
  Save(dir / "dangling.lnk", "fresh");
  EXPECT_EQ(test::ReadFile(dir / "real/model.mod"), "new");
  EXPECT_EQ(test::ReadFile(dir / "real/fresh.mod"), "fresh");
  for (const char* link : {"relative.lnk", "absolute.lnk", "dangling.lnk"})
    EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
  EXPECT_EQ(Entries(dir / "real"), (std::vector<std::string>{"fresh.mod", "model.mod"}));
}

TEST(ReplacingFile, ALinkAtTheTargetIsRefusedWhenLinksAreNotFollowed) {
  TempDir dir;
  test::WriteFile(dir / "victim", "precious");
  fs::create_symlink(dir / "victim", dir / "planted.zip");
  EXPECT_EQ(test::SystemFailure([&] { ReplacingFile(dir / "planted.zip", LinkTarget::Refuse); }),
            test::ExpectedSystemFailure(std::errc::too_many_symbolic_link_levels,
                                        "open " + dir / "planted.zip"));
  EXPECT_EQ(test::ReadFile(dir / "victim"), "precious");
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"planted.zip", "victim"}));
}

TEST(ReplacingFile, TooManyLinksAreRefused) {
  TempDir dir;
  fs::create_symlink(dir / "loop-a", dir / "loop-b");
  fs::create_symlink(dir / "loop-b", dir / "loop-a");
  EXPECT_EQ(test::SystemFailure([&] { Save(dir / "loop-a", "x"); }),
            test::ExpectedSystemFailure(std::errc::too_many_symbolic_link_levels,
                                        "readlink " + dir / "loop-a"));
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"loop-a", "loop-b"}));
}

TEST(ReplacingFile, AFifoOrSocketReachedThroughALinkIsRefusedAndStays) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = dir / "socket";
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  socketPath.copy(address.sun_path, socketPath.size());
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ::close(listener);
  for (const char* special : {"pipe", "socket"}) {
    const std::string link = dir / (std::string(special) + ".lnk");
    fs::create_symlink(special, link);
    EXPECT_EQ(test::SystemFailure([&] { Save(link, "new"); }),
              test::ExpectedSystemFailure(std::errc::invalid_argument,
                                          "open " + dir / special + " (not a regular file)"));
  }
  EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
  EXPECT_TRUE(fs::is_socket(dir / "socket"));
  EXPECT_EQ(Entries(dir.path()),
            (std::vector<std::string>{"pipe", "pipe.lnk", "socket", "socket.lnk"}));
}

TEST(ReplacingFile, TheTargetKeepsItsPermissions) {
  for (mode_t mode : {0600u, 0640u, 0755u, 02750u}) {
    TempDir dir;
    test::WriteFile(dir / "model.mod", "old");
    ASSERT_EQ(::chmod((dir / "model.mod").c_str(), mode), 0);
    Save(dir / "model.mod", "new");
    EXPECT_EQ(Status(dir / "model.mod").st_mode & 07777, mode) << std::oct << mode;
  }
}

TEST(ReplacingFile, TheTargetKeepsItsOwnerWhereTheUserMayGiveIt) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "only the superuser can give a file to another user";
  TempDir dir;
  test::WriteFile(dir / "model.mod", "old");
  ASSERT_EQ(::chown((dir / "model.mod").c_str(), 4321, 4322), 0);
  Save(dir / "model.mod", "new");
  EXPECT_EQ(Status(dir / "model.mod").st_uid, 4321u);
  EXPECT_EQ(Status(dir / "model.mod").st_gid, 4322u);
}

TEST(ReplacingFile, AnOwnerOrModeTheSystemRefusesDoesNotStopTheSave) {
  for (Operation refused : {Operation::ChangeOwner, Operation::ChangeMode}) {
    TempDir dir;
    test::WriteFile(dir / "model.mod", "old");
    ScopedFault fault(refused, Fault::Error(std::errc::operation_not_permitted));
    Save(dir / "model.mod", "new");
    EXPECT_TRUE(fault.Injected());
    EXPECT_EQ(test::ReadFile(dir / "model.mod"), "new");
  }
}

// A save by a user who may not keep the file's owner: the group stays when it may, else only the
// owner's permissions do, so that the file is never open to the user's own group.
TEST(ReplacingFile, AnOwnerThatCannotBeKeptKeepsTheGroupOrOnlyTheOwnersPermissions) {
  const std::pair<mode_t, mode_t> kept[] = {{0660, 0600}, {0775, 0700}, {04755, 0700}};
  for (const auto& [before, after] : kept) {
    TempDir dir;
    test::WriteFile(dir / "model.mod", "old");
    ASSERT_EQ(::chmod((dir / "model.mod").c_str(), before), 0);
    ScopedFault refused(Operation::ChangeOwner,
                        Fault::LastingError(std::errc::operation_not_permitted));
    Save(dir / "model.mod", "new");
    EXPECT_EQ(Status(dir / "model.mod").st_mode & 07777, after) << std::oct << before;
    EXPECT_EQ(test::ReadFile(dir / "model.mod"), "new");
  }
  if (::geteuid() != 0)
    GTEST_SKIP() << "only the superuser can give a file to another group";
  TempDir dir;
  test::WriteFile(dir / "model.mod", "old");
  ASSERT_EQ(::chown((dir / "model.mod").c_str(), 4321, 4322), 0);
  ASSERT_EQ(::chmod((dir / "model.mod").c_str(), 0660), 0);
  ScopedFault owner(Operation::ChangeOwner, Fault::Error(std::errc::operation_not_permitted));
  Save(dir / "model.mod", "new");
  EXPECT_EQ(Status(dir / "model.mod").st_gid, 4322u);
  EXPECT_EQ(Status(dir / "model.mod").st_mode & 07777, 0660u);
}

// A step of a save through a link that fails; the first two steps name the link, the others the
// linked file. The steps of every save are in replacing_file_test.cpp.
struct StepFailure {
  Operation operation;
  std::errc error;
  const char* call;
  bool namesLink;
};

const StepFailure kStepFailures[] = {
    {Operation::Status, std::errc::io_error, "lstat", true},
    {Operation::ResolveLink, std::errc::io_error, "readlink", true},
    {Operation::CheckAccess, std::errc::read_only_file_system, "access", false},
    {Operation::ChangeOwner, std::errc::io_error, "fchown", false},
    {Operation::ChangeMode, std::errc::io_error, "fchmod", false},
    {Operation::Rename, std::errc::permission_denied, "rename", false},
};

TEST(ReplacingFile, AFailingStepThroughALinkLeavesTheTargetAndNoTemporary) {
  for (const StepFailure& c : kStepFailures) {
    TempDir dir;
    test::WriteFile(dir / "model.mod", "old");
    fs::create_symlink("model.mod", dir / "model.lnk");
    ScopedFault fault(c.operation, Fault::Error(c.error));
    const std::string named = c.namesLink ? dir / "model.lnk" : dir / "model.mod";
    EXPECT_EQ(test::SystemFailure([&] { Save(dir / "model.lnk", "new"); }),
              test::ExpectedSystemFailure(c.error, std::string(c.call) + " " + named));
    EXPECT_EQ(test::ReadFile(dir / "model.mod"), "old") << c.call;
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"model.lnk", "model.mod"})) << c.call;
  }
}

TEST(ReplacingFile, AFailingFlushOfTheFolderIsReportedAfterTheReplacement) {
  TempDir dir;
  test::WriteFile(dir / "model.mod", "old");
  std::string folder = dir.path();
  folder.pop_back();
  {
    ScopedFault fault(Operation::SyncFolder, Fault::Error(std::errc::io_error));
    EXPECT_EQ(test::SystemFailure([&] { Save(dir / "model.mod", "new"); }),
              test::ExpectedSystemFailure(std::errc::io_error, "fsync " + folder));
  }
  EXPECT_EQ(test::ReadFile(dir / "model.mod"), "new");
  EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{"model.mod"});

  // A file system that cannot flush folders has nothing to report.
  ScopedFault unsupported(Operation::SyncFolder, Fault::Error(std::errc::invalid_argument));
  Save(dir / "model.mod", "newer");
  EXPECT_TRUE(unsupported.Injected());
  EXPECT_EQ(test::ReadFile(dir / "model.mod"), "newer");
}

} // namespace
} // namespace kiv::platform
