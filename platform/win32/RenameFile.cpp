#include "platform/RenameFile.h"

#include "platform/win32/SystemCalls.h"

namespace kiv::platform {

bool RenameFile(const std::string& from, const std::string& to) {
  std::wstring wideFrom;
  std::wstring wideTo;
  return win32::Utf8ToUtf16(from, wideFrom) && win32::Utf8ToUtf16(to, wideTo) &&
         win32::MoveFileExW(wideFrom, wideTo);
}

} // namespace kiv::platform
