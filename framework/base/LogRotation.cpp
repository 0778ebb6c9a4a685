#include "framework/base/LogRotation.h"

#include "core/FileNames.h"
#include "platform/FileOperations.h"
#include "platform/RenameFile.h"

namespace kiv {
namespace {

constexpr int kOlderLogs = 9;

} // namespace

std::string NumberedLogName(const std::string& AFileName, int ANumber) {
  return ANumber == 0 ? AFileName : ChangeFileExt(AFileName, std::to_string(ANumber) + ".log");
}

void RotateLogFiles(const std::string& AFileName) {
  platform::RemoveFile(NumberedLogName(AFileName, kOlderLogs));
  for (int number = kOlderLogs - 1; number >= 0; --number)
    platform::RenameFile(NumberedLogName(AFileName, number),
                         NumberedLogName(AFileName, number + 1));
}

} // namespace kiv
