#pragma once

// System information of unit MY_ (TInformation): paths, special folders, versions and the
// computer summary, over the other information classes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class TComputer;
class TForm;
class TNetwork;
class TOperatingSystem;
class TUser;
class TWindowServices;

// The program's environment: folders, the executable's name and version, a per-user settings
// file name and a summary of the computer for support mails.
// What the computer summary says of this program and this computer; the summary's text and
// kivinfo's JSON both render these.
struct TComputerFacts {
  std::string Executable;
  std::vector<std::string> Parameters; // the program's arguments after its own name
  std::string OsVersion;
  std::string ComputerName;
  std::string LoginName;
  int CpuCount = 0;
  int ActiveCpuCount = 0;
  std::string NetName;
  std::string MacAddress;
  std::vector<std::string> Drives;
  std::vector<std::string> NetDrives;
};

class TInformation {
public:
  // Keeps the four references, which must outlive the object.
  TInformation(TOperatingSystem& IOperatingSystem, TComputer& IComputer, TUser& IUser,
               TNetwork& INetwork);

  // The class name that locations of failures carry; no class derives from this one.
  static constexpr std::string_view ClassName() noexcept { return "TInformation"; }

  // Hands over the toolkit's window services (see WindowServices.h); none until it does.
  void SetWindowServices(TWindowServices* windows) { FWindows = windows; }

  // True when the path exists and is not a folder.
  bool FileExists(const std::string& AFileName) const;
  // The long form of the path, or the path unchanged when it has none.
  std::string GetFullPathName(const std::string& AInputPath) const;
  // The short (8.3) form of the name, or the name unchanged when it has none.
  std::string GetShortFileName(const std::string& AInputFileName) const;
  // The shell folder iFolder with a trailing separator; empty when the system has none.
  std::string GetSpecialFolderPath(int iFolder) const;

  // Folders, each with a trailing separator.
  std::string GetProgramFilesPath() const;
  std::string GetWindowsSystem32Path() const;
  std::string GetWinDir() const;
  std::string GetSystemDir() const;
  std::string GetTempDir() const;
  std::string GetAppDataPath() const;
  std::string GetUserApplicationDataPath() const;
  std::string GetUserPersonalPath() const;

  // A new, empty file in GetTempDir named "my_temp_", the process id, "_" and a counter, created
  // exclusively and readable by its owner only. Throws std::system_error when none can be made.
  std::string GetTempFileName() const;

  // The per-user settings file: GetUserApplicationDataPath, the program name, a separator, the
  // program name again and ".ini". Creates its folder first.
  std::string ApplicationIniFileCurrentUser() const;

  // The running executable's file name without folder and without a trailing ".exe".
  std::string GetApplicationExeName() const;

  // The toolkit's main window; none until the toolkit provides its window services.
  TForm* GetApplicationMainForm() const;
  // The height of a form's caption and borders; 0 until the toolkit provides its window services.
  int GetMinFormHeight() const;

  // The running executable's folder with a trailing separator.
  std::string GetPath() const;
  // The running executable's file version text.
  std::string GetVersion() const;
  // The current date and time in the process-wide short date and long time formats, every
  // character other than a decimal digit replaced by "-".
  std::string GetDateTimeNow() const;
  // The processor's time-stamp counter, all 64 bits.
  std::int64_t GetPentiumTime() const;
  // The facts of the computer summary, gathered once.
  TComputerFacts GetComputerFacts() const;
  // The summary of the computer for support mails; lines end in LF, the drive entries in CR LF.
  std::string GetComputerSummary() const;

private:
  // The platform folder with a trailing separator, in its long form.
  std::string LongFolder(const std::string& folder) const;

  TOperatingSystem& FOperatingSystem;
  TComputer& FComputer;
  TUser& FUser;
  TNetwork& FNetwork;
  TWindowServices* FWindows = nullptr;
};

} // namespace kiv
