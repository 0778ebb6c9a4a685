// The user's own folder in the temporary folder: made private, and refused when someone else
// could have made or reached it.
#include "platform/FileOperations.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/ScopedEnvironment.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::platform {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using testing::Fault;
using testing::Operation;
using testing::ScopedFault;

TEST(PrivateFolder, IsMadeForTheUserAloneAndTakenAgain) {
  TempDir dir;
  test::ScopedEnvironment temporary("TMPDIR", dir.path());
  const std::string expected = dir / ("updates-" + std::to_string(::geteuid()));
  EXPECT_EQ(CreatePrivateFolder("updates"), expected);
  test::WriteFile(expected + "/kept", "kept");
  EXPECT_EQ(CreatePrivateFolder("updates"), expected);
  struct stat info {};
  ASSERT_EQ(::lstat(expected.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
  EXPECT_EQ(info.st_mode & 07777, 0700u);
  EXPECT_EQ(test::ReadFile(expected + "/kept"), "kept");
}

// What someone else may have left where the folder goes.
struct Planted {
  const char* name;
  std::function<void(const std::string& path, const std::string& elsewhere)> plant;
};

const Planted kPlanted[] = {
    {"LinkToAFolder",
     [](const std::string& path, const std::string& elsewhere) {
       fs::create_directory(elsewhere);
       ::chmod(elsewhere.c_str(), 0700);
       fs::create_directory_symlink(elsewhere, path);
     }},
    {"FolderOthersMayWrite",
     [](const std::string& path, const std::string&) {
       fs::create_directory(path);
       ::chmod(path.c_str(), 0777);
     }},
    {"FolderOthersMayRead",
     [](const std::string& path, const std::string&) {
       fs::create_directory(path);
       ::chmod(path.c_str(), 0750);
     }},
    {"File", [](const std::string& path, const std::string&) { test::WriteFile(path, "x"); }},
};

TEST(PrivateFolder, WhatAnotherCouldHaveMadeIsRefused) {
  for (const Planted& planted : kPlanted) {
    TempDir dir;
    test::ScopedEnvironment temporary("TMPDIR", dir.path());
    const std::string path = dir / ("updates-" + std::to_string(::geteuid()));
    planted.plant(path, dir / "elsewhere");
    EXPECT_EQ(test::SystemFailure([] { CreatePrivateFolder("updates"); }),
              test::ExpectedSystemFailure(std::errc::permission_denied, "mkdir " + path))
        << planted.name;
  }
}

TEST(PrivateFolder, AFolderOfAnotherUserIsRefused) {
  if (::geteuid() != 0)
    GTEST_SKIP() << "only the superuser can give a folder to another user";
  TempDir dir;
  test::ScopedEnvironment temporary("TMPDIR", dir.path());
  const std::string path = dir / "updates-0";
  fs::create_directory(path);
  ASSERT_EQ(::chmod(path.c_str(), 0700), 0);
  ASSERT_EQ(::chown(path.c_str(), 4321, 4321), 0);
  EXPECT_EQ(test::SystemFailure([] { CreatePrivateFolder("updates"); }),
            test::ExpectedSystemFailure(std::errc::permission_denied, "mkdir " + path));
}

TEST(PrivateFolder, AFailedCreationNamesTheFolder) {
  TempDir dir;
  test::ScopedEnvironment temporary("TMPDIR", dir.path());
  const ScopedFault refused(Operation::CreateFolder,
                            Fault::Error(std::errc::read_only_file_system));
  EXPECT_EQ(
      test::SystemFailure([] { CreatePrivateFolder("updates"); }),
      test::ExpectedSystemFailure(std::errc::read_only_file_system,
                                  "mkdir " + dir / ("updates-" + std::to_string(::geteuid()))));
}

} // namespace
} // namespace kiv::platform
