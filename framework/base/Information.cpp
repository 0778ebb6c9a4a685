#include "framework/base/Information.h"

#include "core/DateTimeText.h"
#include "core/Escalation.h"
#include "core/FileNames.h"
#include "core/ProgramName.h"
#include "core/TextFile.h"
#include "framework/base/Computer.h"
#include "framework/base/FileVersionText.h"
#include "framework/base/Network.h"
#include "framework/base/OperatingSystem.h"
#include "framework/base/User.h"
#include "framework/base/WindowServices.h"
#include "platform/CommandLine.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "platform/FolderEntries.h"
#include "platform/KnownFolders.h"
#include "platform/PathNames.h"
#include "platform/Process.h"
#include "platform/ProcessMemory.h"
#include "platform/Ticks.h"

#include <atomic>
#include <system_error>

namespace kiv {
namespace {

std::string WithSeparator(std::string folder) {
  if (folder.empty() || !IsPathSeparator(folder.back()))
    folder += PathSeparator();
  return folder;
}

// The long form built component by component, for when the system's long-path service fails:
// a path beginning with one separator stays as it is; after two, the server and share stay;
// otherwise the drive (the first two characters). Every further component is looked up and
// replaced by its long name; a component not found, or a result beyond 521 characters, gives
// the path unchanged.
std::string ExpandedLongPath(const std::string& path) {
  constexpr size_t kMaxLongPath = 521;
  const char separator = PathSeparator();
  size_t position = 2;
  if (path.size() >= 2 && path[0] == separator && path[1] == separator) {
    const size_t serverEnd = path.find(separator, 2);
    position = serverEnd == std::string::npos ? serverEnd : path.find(separator, serverEnd + 1);
    if (position == std::string::npos)
      return path;
  } else if (!path.empty() && path[0] == separator) {
    return path;
  }
  std::string expanded = path.substr(0, position);
  while (position < path.size()) {
    if (path[position] != separator)
      return path;
    const size_t next = path.find(separator, position + 1);
    const std::string component = path.substr(position + 1, next - position - 1);
    const std::optional<std::string> name =
        platform::EntryLongName(expanded + separator + component);
    if (!name)
      return path;
    expanded += separator + *name;
    if (expanded.size() > kMaxLongPath)
      return path;
    position = next;
  }
  return expanded;
}

} // namespace

TInformation::TInformation(TOperatingSystem& IOperatingSystem, TComputer& IComputer, TUser& IUser,
                           TNetwork& INetwork)
    : FOperatingSystem(IOperatingSystem), FComputer(IComputer), FUser(IUser), FNetwork(INetwork) {}

bool TInformation::FileExists(const std::string& AFileName) const {
  return platform::KindOf(AFileName) != platform::EntryKind::Missing &&
         !platform::DirectoryExists(AFileName);
}

std::string TInformation::GetFullPathName(const std::string& AInputPath) const {
  if (std::optional<std::string> longForm = platform::LongPathName(AInputPath))
    return *longForm;
  return ExpandedLongPath(AInputPath);
}

std::string TInformation::GetShortFileName(const std::string& AInputFileName) const {
  return platform::ShortPathName(AInputFileName).value_or(AInputFileName);
}

std::string TInformation::GetSpecialFolderPath(int iFolder) const {
  return GuardEscalating(ClassName(), "GetSpecialFolderPath", [&] {
    const std::optional<std::string> folder = platform::ShellFolder(iFolder);
    return folder ? WithSeparator(*folder) : std::string();
  });
}

std::string TInformation::GetProgramFilesPath() const {
  return GuardEscalating(ClassName(), "GetProgramFilesPath",
                         [&] { return GetSpecialFolderPath(platform::kFolderProgramFiles); });
}

std::string TInformation::GetWindowsSystem32Path() const {
  return GuardEscalating(ClassName(), "GetWindowsSystem32Path",
                         [&] { return GetSpecialFolderPath(platform::kFolderSystemX86); });
}

std::string TInformation::LongFolder(const std::string& folder) const {
  return GetFullPathName(WithSeparator(folder));
}

std::string TInformation::GetWinDir() const {
  return LongFolder(platform::WindowsFolder());
}

std::string TInformation::GetSystemDir() const {
  return LongFolder(platform::SystemFolder());
}

std::string TInformation::GetTempDir() const {
  return LongFolder(platform::TemporaryFolder());
}

std::string TInformation::GetAppDataPath() const {
  return GetSpecialFolderPath(platform::kFolderLocalAppData);
}

std::string TInformation::GetUserApplicationDataPath() const {
  return GetAppDataPath();
}

std::string TInformation::GetUserPersonalPath() const {
  return GetSpecialFolderPath(platform::kFolderPersonal);
}

std::string TInformation::GetTempFileName() const {
  static std::atomic<std::uint64_t> counter{0};
  const std::string prefix =
      GetTempDir() + "my_temp_" + std::to_string(platform::CurrentProcessId()) + "_";
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::string name = prefix + std::to_string(++counter);
    if (platform::CreateNewPrivateFile(name))
      return name;
  }
  throw std::system_error(std::make_error_code(std::errc::file_exists),
                          "GetTempFileName " + prefix);
}

std::string TInformation::ApplicationIniFileCurrentUser() const {
  const std::string name = GetApplicationExeName();
  const std::string folder = GetUserApplicationDataPath() + name;
  platform::CreateFolderPath(folder);
  return folder + PathSeparator() + name + ".ini";
}

std::string TInformation::GetApplicationExeName() const {
  return ProgramNameWithoutExe(ExtractFileName(platform::ExecutablePath()));
}

TForm* TInformation::GetApplicationMainForm() const {
  return FWindows == nullptr ? nullptr : FWindows->MainForm();
}

int TInformation::GetMinFormHeight() const {
  return FWindows == nullptr ? 0 : FWindows->MinFormHeight();
}

std::string TInformation::GetPath() const {
  return ExtractFilePath(platform::ExecutablePath());
}

std::string TInformation::GetVersion() const {
  return GetFileVersionText(platform::ExecutablePath());
}

std::string TInformation::GetDateTimeNow() const {
  std::string text = DateTimeStamp(platform::Now(), ProcessFormats());
  for (char& c : text)
    if (c < '0' || c > '9')
      c = '-';
  return text;
}

std::int64_t TInformation::GetPentiumTime() const {
  return static_cast<std::int64_t>(platform::TimeStampCounter());
}

TComputerFacts TInformation::GetComputerFacts() const {
  const std::vector<std::string> arguments = platform::CommandLineArguments();
  TComputerFacts facts;
  facts.Executable = platform::ExecutablePath();
  if (!arguments.empty())
    facts.Parameters.assign(arguments.begin() + 1, arguments.end());
  facts.OsVersion = FOperatingSystem.GetVersion();
  facts.ComputerName = FComputer.GetName();
  facts.LoginName = FUser.GetName();
  facts.CpuCount = FComputer.GetCPUNoProcessors();
  facts.ActiveCpuCount = FComputer.GetCPUNoActive();
  facts.NetName = FNetwork.GetName();
  facts.MacAddress = FNetwork.GetMacAddress();
  facts.Drives = FComputer.GetDriveList();
  facts.NetDrives = FNetwork.GetNetworkDriveMappings();
  return facts;
}

std::string TInformation::GetComputerSummary() const {
  return GuardWrapping("MY_", "GetSummary", [&] {
    const TComputerFacts facts = GetComputerFacts();
    std::string summary = facts.Executable + "\n";
    for (size_t i = 0; i < facts.Parameters.size(); ++i)
      summary += "param(" + std::to_string(i + 1) + "): " + facts.Parameters[i] + "\n";
    summary += "os ver: " + facts.OsVersion + "\n";
    summary += "computer name: " + facts.ComputerName + "\n";
    summary += "login name: " + facts.LoginName + "\n";
    summary += "# cpu: " + std::to_string(facts.CpuCount) + "\n";
    summary += "# active cpu: " + std::to_string(facts.ActiveCpuCount) + "\n";
    summary += "net name: " + facts.NetName + "\n";
    summary += "mac addr: " + facts.MacAddress + "\n";
    summary += "drives: \n" + JoinCrLfLines(facts.Drives) + "\n";
    summary += "net drives: \n" + JoinCrLfLines(facts.NetDrives);
    return summary;
  });
}

} // namespace kiv
