#include "platform/PathNames.h"

#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

namespace kiv::platform {

std::optional<std::string> LongPathName(const std::string& path) {
  wchar_t name[512] = {};
  const DWORD length = win32::Struck(testing::Operation::Status)
                           ? 0
                           : ::GetLongPathNameW(win32::Wide(path).c_str(), name, 512);
  if (length == 0 || length >= 512)
    return std::nullopt;
  return win32::Utf8(name);
}

std::optional<std::string> EntryLongName(const std::string& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = win32::Struck(testing::Operation::ListDirectory)
                            ? INVALID_HANDLE_VALUE
                            : ::FindFirstFileW(win32::Wide(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return std::nullopt;
  ::FindClose(search);
  return win32::Utf8(found.cFileName);
}

std::optional<std::string> ShortPathName(const std::string& path) {
  wchar_t name[MAX_PATH] = {};
  const DWORD length = win32::Struck(testing::Operation::Status)
                           ? 0
                           : ::GetShortPathNameW(win32::Wide(path).c_str(), name, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return std::nullopt;
  return win32::Utf8(name);
}

} // namespace kiv::platform
