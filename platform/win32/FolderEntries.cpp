#include "platform/FolderEntries.h"

#include "platform/win32/LastError.h"
#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

#include <system_error>
#include <windows.h>

namespace kiv::platform {
namespace {

using testing::Operation;
using win32::ThrowLastError;

std::string WithSeparator(const std::string& folder) {
  if (folder.empty() || folder.back() == '\\' || folder.back() == '/' || folder.back() == ':')
    return folder;
  return folder + "\\";
}

} // namespace

std::vector<FolderEntry> ListFolderEntries(const std::string& folder, const std::string& mask) {
  const std::string base = WithSeparator(folder);
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW found{};
  const HANDLE search = win32::Struck(Operation::ListDirectory)
                            ? INVALID_HANDLE_VALUE
                            : ::FindFirstFileW(win32::Wide(base + mask).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
      return entries;
    ThrowLastError("FindFirstFileW", base + mask);
  }
  do {
    const std::string name = win32::Utf8(found.cFileName);
    if (name == "." || name == "..")
      continue;
    const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entries.push_back({name, found.dwFileAttributes,
                       !link && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (!win32::Struck(Operation::ReadDirectory) && ::FindNextFileW(search, &found));
  const DWORD error = ::GetLastError();
  ::FindClose(search);
  if (error != ERROR_NO_MORE_FILES)
    ThrowLastError("FindNextFileW", base + mask);
  return entries;
}

bool IsRootFolder(const std::string& path) {
  wchar_t full[MAX_PATH] = {};
  wchar_t volume[MAX_PATH] = {};
  const std::wstring wide = win32::Wide(path);
  if (::GetFullPathNameW(wide.c_str(), MAX_PATH, full, nullptr) == 0 ||
      !::GetVolumePathNameW(wide.c_str(), volume, MAX_PATH))
    return false;
  std::wstring a(full);
  std::wstring b(volume);
  if (a.empty() || a.back() != L'\\')
    a += L'\\';
  return _wcsicmp(a.c_str(), b.c_str()) == 0;
}

EntryKind KindOf(const std::string& path) {
  const DWORD attributes = win32::Struck(Operation::Status)
                               ? INVALID_FILE_ATTRIBUTES
                               : ::GetFileAttributesW(win32::Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return EntryKind::Missing;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    return EntryKind::Link;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return EntryKind::Folder;
  return EntryKind::File;
}

} // namespace kiv::platform
