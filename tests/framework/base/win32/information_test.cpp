// Windows services: drive roots, volume numbers, folders and the fallbacks of failed calls.

#include "framework/base/FileVersionText.h"
#include "framework/base/Tools.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/FrameworkObjects.h"

#include <gtest/gtest.h>
#include <regex>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;

class WindowsInformation : public ::testing::Test {
protected:
  test::FrameworkObjects my_;
  const TInformation& info_ = my_.Information;
};

TEST_F(WindowsInformation, TheVersionTextIsTheProductVersion) {
  // The probe's file version is 4.2.0.17.
  EXPECT_EQ(GetFileVersionText(KIV_PRODUCT_VERSION_PROBE), "5.1.0.3");
  EXPECT_EQ(TTools::GetFileVersion(KIV_PRODUCT_VERSION_PROBE), "5.1.0.3");
}

TEST_F(WindowsInformation, DrivesAndVolumes) {
  const std::vector<std::string> drives = my_.Computer.GetDriveList();
  ASSERT_FALSE(drives.empty());
  for (const std::string& drive : drives)
    EXPECT_TRUE(std::regex_match(drive, std::regex("[A-Z]:\\\\"))) << drive;
  EXPECT_TRUE(std::regex_match(my_.Computer.DiskSerialNumber(drives.front()),
                               std::regex("[0-9A-F]{4} - [0-9A-F]{4}")));
  EXPECT_EQ(my_.Computer.DiskSerialNumber("Q:\\no\\such\\volume\\"), "0000 - 0000");
  std::int64_t free = -1;
  EXPECT_TRUE(my_.Disk.FreeSpace(drives.front(), free));
  EXPECT_GE(free, 0);
}

TEST_F(WindowsInformation, AnswersAndTheirFallbacks) {
  EXPECT_GT(my_.Computer.GetCPUNoProcessors(), 0);
  EXPECT_EQ(my_.Computer.GetCPUNoProcessors(), my_.Computer.GetCPUNoActive());
  EXPECT_GT(my_.Computer.GetPhysicalMemory(), 0u);
  EXPECT_EQ(my_.System.GetName(), "2");
  EXPECT_TRUE(std::regex_match(my_.System.GetVersion(), std::regex("\\d+\\.\\d+\\.\\d+ .*")));
  EXPECT_TRUE(std::regex_match(my_.Network.GetMacAddress(), std::regex("[0-9A-F]{12}")));
  EXPECT_LE(my_.Network.GetName().size(), 15u);
  ScopedFault noName(Operation::SystemQuery, Fault::Error(std::errc::invalid_argument));
  EXPECT_EQ(my_.Network.GetName(), "error getting comupter name");
  ScopedFault noAdapters(Operation::SystemQuery, Fault::Error(std::errc::not_enough_memory));
  EXPECT_EQ(my_.Network.GetMacAddress(), "000000000000");
  ScopedFault noUser(Operation::SystemQuery, Fault::Error(std::errc::permission_denied));
  EXPECT_EQ(my_.User.GetName(), "");
}

TEST_F(WindowsInformation, FoldersEndInABackslash) {
  for (const std::string& folder : {info_.GetProgramFilesPath(), info_.GetWindowsSystem32Path(),
                                    info_.GetWinDir(), info_.GetSystemDir(), info_.GetTempDir(),
                                    info_.GetAppDataPath(), info_.GetUserPersonalPath()})
    EXPECT_TRUE(std::regex_match(folder, std::regex("[A-Za-z]:\\\\.*\\\\"))) << folder;
  EXPECT_EQ(info_.GetSpecialFolderPath(-12345), "");
}

TEST_F(WindowsInformation, TemporaryFilesAreUnique) {
  const std::string first = info_.GetTempFileName();
  const std::string second = info_.GetTempFileName();
  EXPECT_NE(first, second);
  EXPECT_TRUE(first.starts_with(info_.GetTempDir() + "my_temp_")) << first;
  EXPECT_TRUE(TTools::CopyFile(first, second, false));
  EXPECT_FALSE(TTools::CopyFile(first, second, true));
}

TEST_F(WindowsInformation, LongPathsOfMissingComponentsStayUnchanged) {
  const std::string missing = info_.GetTempDir() + "no-such-folder\\file.txt";
  EXPECT_EQ(info_.GetFullPathName(missing), missing);
  EXPECT_EQ(info_.GetFullPathName(info_.GetTempDir()), info_.GetTempDir());
}

} // namespace
} // namespace kiv
