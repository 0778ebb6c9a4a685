// Linux services: links, modes, xdg-open and /proc.

#include "core/Exceptions.h"
#include "framework/base/FileVersionText.h"
#include "platform/Process.h"
#include "platform/testing/ChildProcess.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/CommandOutput.h"
#include "testing/support/Failure.h"
#include "testing/support/FrameworkObjects.h"
#include "testing/support/ScopedEnvironment.h"
#include "testing/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;
using test::TempDir;

class Information : public ::testing::Test {
protected:
  test::FrameworkObjects my_;
  const TInformation& info_ = my_.Information;
};

// The summary that a program started with arguments gives, built from the objects' answers.
std::string ExpectedSummary(const test::FrameworkObjects& my, const std::string& executable,
                            const std::vector<std::string>& arguments) {
  std::string summary = executable + "\n";
  for (size_t i = 0; i < arguments.size(); ++i)
    summary += "param(" + std::to_string(i + 1) + "): " + arguments[i] + "\n";
  summary += "os ver: " + my.System.GetVersion() + "\n" + "computer name: n/a!\n" +
             "login name: " + my.User.GetName() + "\n" +
             "# cpu: " + std::to_string(my.Computer.GetCPUNoProcessors()) + "\n" +
             "# active cpu: " + std::to_string(my.Computer.GetCPUNoActive()) + "\n" +
             "net name: " + my.Network.GetName() + "\n" +
             "mac addr: " + my.Network.GetMacAddress() + "\n" + "drives: \n";
  for (const std::string& drive : my.Computer.GetDriveList())
    summary += drive + "\r\n";
  summary += "\nnet drives: \n";
  for (const std::string& mapping : my.Network.GetNetworkDriveMappings())
    summary += mapping + "\r\n";
  return summary;
}

TEST_F(Information, SummaryOfAProgramWithTwoArgumentsByteForByte) {
  const std::string output =
      test::CommandOutput(std::string("'") + KIV_KIVINFO + "' first 'second arg'");
  EXPECT_EQ(output, ExpectedSummary(my_, KIV_KIVINFO, {"first", "second arg"}));
}

TEST_F(Information, SummaryFailuresAreFatalWithTheLocation) {
  ScopedFault denied(Operation::Open, Fault::Error(std::errc::permission_denied));
  const std::string cause =
      std::system_error(EACCES, std::generic_category(), "open /proc/self/cmdline").what();
  EXPECT_EQ(test::Failure([&] { info_.GetComputerSummary(); }),
            test::Expected("EPFatal", "MY_.GetSummary\n" + cause));
}

TEST_F(Information, JsonCarriesTheSameFacts) {
  const std::string json = test::CommandOutput(std::string("'") + KIV_KIVINFO + "' --json");
  EXPECT_NE(json.find("\"cpuCount\": " + std::to_string(my_.Computer.GetCPUNoProcessors())),
            std::string::npos);
  EXPECT_NE(json.find("\"macAddress\": \"" + my_.Network.GetMacAddress() + "\""),
            std::string::npos);
  EXPECT_NE(json.find("\"parameters\": [\"--json\"]"), std::string::npos);
}

TEST(Kivinfo, GivesHelpAndRefusesUnknownSwitches) {
  using platform::testing::RunChild;
  for (const char* help : {"--help", "-h"}) {
    const platform::testing::ChildResult result = RunChild(KIV_KIVINFO, {"first", help});
    EXPECT_EQ(result.exitCode, 0) << help;
    EXPECT_TRUE(result.standardOutput.starts_with(
        "kivinfo: prints the computer summary that support mails carry.\n"))
        << result.standardOutput;
    EXPECT_EQ(result.standardOutput.find("os ver: "), std::string::npos);
  }
  const platform::testing::ChildResult refused = RunChild(KIV_KIVINFO, {"first", "--jsn"});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(refused.standardError,
            "kivinfo: error: unknown switch \"--jsn\" (kivinfo --help says more)\n");
  EXPECT_EQ(refused.standardOutput, "");
}

TEST_F(Information, ComputerAnswers) {
  EXPECT_EQ(my_.Computer.GetName(), "n/a!");
  EXPECT_EQ(my_.Computer.GetInfo(), "n/a!");
  EXPECT_EQ(my_.Computer.GetVendor(), "n/a!");
  EXPECT_GT(my_.Computer.GetCPUNoProcessors(), 0);
  EXPECT_EQ(my_.Computer.GetCPUNoProcessors(), my_.Computer.GetCPUNoActive());
  // All 64 bits of the byte count, not its low 32.
  EXPECT_EQ(std::to_string(my_.Computer.GetPhysicalMemory() / 1024),
            test::CommandLine("awk '/^MemTotal:/ { print $2 }' /proc/meminfo"));
  EXPECT_TRUE(std::regex_match(my_.Computer.DiskSerialNumber("/"),
                               std::regex("[0-9A-F]{4} - [0-9A-F]{4}")));
  EXPECT_EQ(my_.Computer.DiskSerialNumber("/no/such/drive"), "0000 - 0000");
  std::vector<std::string> list{"kept"};
  EXPECT_EQ(my_.Computer.GetDriveList(list).front(), "kept");
}

TEST_F(Information, NetworkAndUserAnswersAndTheirFallbacks) {
  EXPECT_EQ(my_.Network.GetName(), test::CommandLine("hostname -s").substr(0, 15));
  EXPECT_TRUE(std::regex_match(my_.Network.GetMacAddress(), std::regex("[0-9A-F]{12}")));
  EXPECT_EQ(my_.User.GetName(), test::CommandLine("id -un"));
  EXPECT_NO_THROW(my_.Network.InternetConnected());
  ScopedFault noName(Operation::SystemQuery, Fault::Error(std::errc::invalid_argument));
  EXPECT_EQ(my_.Network.GetName(), "error getting comupter name");
  ScopedFault noInterfaces(Operation::SystemQuery, Fault::Error(std::errc::not_enough_memory));
  EXPECT_EQ(my_.Network.GetMacAddress(), "000000000000");
  ScopedFault noUser(Operation::SystemQuery, Fault::Error(std::errc::permission_denied));
  EXPECT_EQ(my_.User.GetName(), "");
}

TEST_F(Information, OperatingSystemVersionShape) {
  EXPECT_TRUE(std::regex_match(my_.System.GetVersion(), std::regex("\\d+\\.\\d+\\.\\d+ .*")));
  EXPECT_EQ(my_.System.GetName(), "0");
}

TEST_F(Information, FreeSpace) {
  std::int64_t free = -1;
  EXPECT_TRUE(my_.Disk.FreeSpace("/", free));
  EXPECT_GT(free, 0);
  EXPECT_FALSE(my_.Disk.FreeSpace("/no/such/folder", free));
}

TEST_F(Information, FileVersionTextTellsNoneFromZero) {
  TempDir dir;
  test::WriteFile(dir / "text", "not a program");
  EXPECT_EQ(GetFileVersionText(KIV_VERSION_PROBE), "4.2.0.17");
  EXPECT_EQ(GetFileVersionText(KIV_VERSION_ZERO_PROBE), "0.0.0.0");
  EXPECT_EQ(GetFileVersionText(dir / "text"), "N/A!");
  EXPECT_EQ(GetFileVersionText(dir / "absent"), "N/A!");
  EXPECT_EQ(info_.GetVersion(), KIV_PROJECT_VERSION);
}

TEST_F(Information, ExecutableNameAndFolder) {
  EXPECT_EQ(info_.GetApplicationExeName(), "kiv_framework_tests");
  EXPECT_EQ(info_.GetPath() + "kiv_framework_tests", platform::ExecutablePath());
}

TEST_F(Information, DateTimeNowHasOnlyDigitsAndDashes) {
  EXPECT_TRUE(std::regex_match(info_.GetDateTimeNow(),
                               std::regex("\\d\\d-\\d\\d-\\d{4}-\\d\\d-\\d\\d-\\d\\d")));
}

TEST_F(Information, PathForms) {
  TempDir dir;
  test::WriteFile(dir / "file", "x");
  EXPECT_EQ(info_.GetFullPathName(dir / "absent/file"), dir / "absent/file");
  EXPECT_EQ(info_.GetFullPathName(dir / "file"), dir / "file");
  EXPECT_EQ(info_.GetShortFileName(dir / "file"), dir / "file");
  std::filesystem::create_directory_symlink(dir.path(), dir / "folder-link");
  EXPECT_TRUE(info_.FileExists(dir / "file"));
  EXPECT_TRUE(info_.FileExists("/dev/null")); // exists and is not a folder
  EXPECT_FALSE(info_.FileExists(dir.path()));
  EXPECT_FALSE(info_.FileExists(dir / "folder-link"));
  EXPECT_FALSE(info_.FileExists(dir / "absent"));
}

TEST_F(Information, FoldersEndInASeparator) {
  TempDir dir;
  test::ScopedEnvironment config("XDG_CONFIG_HOME", dir / "config");
  test::ScopedEnvironment temporary("TMPDIR", dir.path());
  EXPECT_EQ(info_.GetUserApplicationDataPath(), dir / "config/");
  EXPECT_EQ(info_.GetAppDataPath(), dir / "config/");
  EXPECT_EQ(info_.GetTempDir(), dir.path());
  for (const std::string& folder :
       {info_.GetProgramFilesPath(), info_.GetWindowsSystem32Path(), info_.GetWinDir(),
        info_.GetSystemDir(), info_.GetUserPersonalPath()})
    EXPECT_TRUE(folder.ends_with('/')) << folder;
  EXPECT_EQ(info_.GetSpecialFolderPath(12345), "");
}

TEST_F(Information, IniFileOfTheCurrentUserHasItsFolder) {
  TempDir dir;
  test::ScopedEnvironment config("XDG_CONFIG_HOME", dir / "config");
  EXPECT_EQ(info_.ApplicationIniFileCurrentUser(),
            dir / "config/kiv_framework_tests/kiv_framework_tests.ini");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "config/kiv_framework_tests"));
}

TEST_F(Information, TemporaryFilesAreUniqueAndPrivate) {
  TempDir dir;
  test::ScopedEnvironment temporary("TMPDIR", dir.path());
  const std::string first = info_.GetTempFileName();
  const std::string second = info_.GetTempFileName();
  EXPECT_NE(first, second);
  const std::string prefix = dir / ("my_temp_" + std::to_string(getpid()) + "_");
  for (const std::string& name : {first, second}) {
    EXPECT_TRUE(name.starts_with(prefix)) << name;
    struct stat status {};
    ASSERT_EQ(stat(name.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
  }
}

TEST_F(Information, WindowBoundAnswersWaitForTheToolkit) {
  EXPECT_EQ(info_.GetApplicationMainForm(), nullptr);
  EXPECT_EQ(info_.GetMinFormHeight(), 0);
}

} // namespace
} // namespace kiv
