#include "platform/KnownFolders.h"

#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

// windows.h first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

namespace kiv::platform {
namespace {

using testing::Operation;

std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
    folder.pop_back();
  return folder;
}

template <class Service> std::string SystemFolderOf(Service service) {
  wchar_t folder[MAX_PATH + 1] = {};
  const UINT length = win32::Struck(Operation::SystemQuery) ? 0 : service(folder, MAX_PATH + 1);
  return length == 0 || length > MAX_PATH ? std::string()
                                          : WithoutTrailingSeparator(win32::Utf8(folder));
}

} // namespace

std::optional<std::string> ShellFolder(int id) {
  wchar_t folder[MAX_PATH] = {};
  if (win32::Struck(Operation::SystemQuery) ||
      ::SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, folder) < 0)
    return std::nullopt;
  return WithoutTrailingSeparator(win32::Utf8(folder));
}

std::string WindowsFolder() {
  return SystemFolderOf(::GetWindowsDirectoryW);
}

std::string SystemFolder() {
  return SystemFolderOf(::GetSystemDirectoryW);
}

std::string TemporaryFolder() {
  wchar_t folder[MAX_PATH + 2] = {};
  const DWORD length =
      win32::Struck(Operation::SystemQuery) ? 0 : ::GetTempPathW(MAX_PATH + 2, folder);
  return length == 0 ? std::string() : WithoutTrailingSeparator(win32::Utf8(folder));
}

} // namespace kiv::platform
