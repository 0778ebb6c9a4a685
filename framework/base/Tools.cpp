#include "framework/base/Tools.h"

#include "core/Escalation.h"
#include "framework/base/FileVersionText.h"
#include "framework/base/Information.h"
#include "framework/base/WindowServices.h"
#include "platform/AsciiText.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "platform/ProcessMemory.h"
#include "platform/Shell.h"
#include "platform/SystemErrorText.h"

#include <stdexcept>

namespace kiv {

TTools::TTools(TProgressDialog* IDialogs, TInformation& IInformation)
    : FDialog(IDialogs), FInformation(IInformation) {}

bool TTools::SetFileDateTime(const std::string& AFileName,
                             const platform::LocalDateTime& ANewFileDateTime) {
  if (!platform::RegularFileExists(AFileName))
    return false;
  platform::LocalDateTime packed = ANewFileDateTime; // file date-times count in two seconds
  packed.second -= packed.second % 2;
  packed.millisecond = 0;
  return platform::SetLastWriteTime(AFileName, packed);
}

std::string TTools::GetFileVersion(const std::string& AFileName) {
  return GetFileVersionText(AFileName);
}

std::uint32_t TTools::GetLastError() {
  return platform::LastErrorCode();
}

std::string TTools::GetLastErrorDesc() {
  return platform::SystemErrorText(GetLastError()).substr(0, 255);
}

void TTools::StatusCallBack(const std::string& AMessage, int AItemNumber, bool& AStopFlag) const {
  if (FDialog != nullptr)
    AStopFlag = !FDialog->Progress(0, AItemNumber, AMessage, "", "");
}

std::string TTools::CreateComponentName(std::string_view ABaseName) const {
  std::string name;
  for (size_t i = 0; i < ABaseName.size(); ++i) {
    const char c = ABaseName[i];
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')
      name += platform::AsciiUpper(c);
    else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) // one "_" per character
      name += '_';
  }
  return name + std::to_string(FInformation.GetPentiumTime());
}

bool TTools::GetProcessMemorySize(const std::string& iProcessName, std::uint64_t& oMemSize) const {
  if (FWindows == nullptr)
    return false;
  const std::optional<std::uint64_t> process = FWindows->ProcessOfWindow(iProcessName);
  if (!process)
    return false;
  const std::optional<std::uint64_t> bytes = platform::WorkingSetBytes(*process);
  if (!bytes)
    return false;
  oMemSize = *bytes / 1048576;
  return true;
}

bool TTools::RunFile(const std::string& AFileName, const std::string& ACommandLineParameters) {
  return platform::StartWithShell(AFileName, ACommandLineParameters);
}

bool TTools::RunDefaultEmailClient(const std::string& AAddress, const std::string&,
                                   const std::string& ASubject, const std::string&) const {
  const std::string address =
      "mailto:" + AAddress + "?subject=" + platform::PercentEncode(ASubject) +
      "&body= " + platform::PercentEncode(FInformation.GetComputerSummary());
  return platform::OpenWithShell(address);
}

void TTools::BitmapGetDims(const std::string& iFileName, int& oWidth, int& oHeight) const {
  GuardWrapping(ClassName(), "BitmapGetDims", [&] {
    if (FWindows == nullptr)
      throw std::logic_error("No desktop toolkit to load bitmaps");
    FWindows->BitmapDims(iFileName, oWidth, oHeight);
  });
}

} // namespace kiv
