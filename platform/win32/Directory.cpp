#include "platform/Directory.h"

#include "platform/win32/LastError.h"
#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

namespace kiv::platform {
namespace {

class FindHandle {
public:
  explicit FindHandle(win32::Handle handle) : handle_(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (IsOpen())
      win32::FindClose(handle_);
  }
  bool IsOpen() const { return handle_ != win32::InvalidHandle(); }
  win32::Handle Get() const { return handle_; }

private:
  win32::Handle handle_;
};

// The errors with which a search reports no match, a folder that is not there or one that may
// not be read.
bool IsNothingToList(win32::Dword error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_DIRECTORY || error == ERROR_INVALID_NAME || error == ERROR_ACCESS_DENIED;
}

} // namespace

// The system's own search does the matching, without regard to case as every program on Windows
// compares names.
std::vector<std::string> ListMatchingFiles(const std::string& folder, std::string_view pattern) {
  // An empty pattern would name the folder itself, and an empty folder the current one, where
  // Linux finds no folder.
  if (pattern.empty() || folder.empty())
    return {};
  std::string search = folder;
  if (!search.empty() && search.back() != '\\' && search.back() != '/' && search.back() != ':')
    search += '\\';
  search += pattern;
  WIN32_FIND_DATAW entry{};
  const FindHandle found(
      win32::FindFirstFileExW(win32::WidePath(search, "FindFirstFileExW"), entry));
  if (!found.IsOpen()) {
    if (IsNothingToList(win32::GetLastError()))
      return {};
    win32::ThrowLastError("FindFirstFileExW", folder);
  }
  std::vector<std::string> names;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      names.push_back(win32::Utf8(entry.cFileName));
  } while (win32::FindNextFileW(found.Get(), entry));
  if (win32::GetLastError() != ERROR_NO_MORE_FILES)
    win32::ThrowLastError("FindNextFileW", folder);
  return names;
}

} // namespace kiv::platform
