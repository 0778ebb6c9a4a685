#include "platform/FileOperations.h"

#include "platform/KnownFolders.h"
#include "platform/win32/LastError.h"
#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

#include <optional>
#include <system_error>
#include <windows.h>

namespace kiv::platform {
namespace {

using testing::Operation;
using win32::ThrowLastError;

// An open handle, closed with the object.
class Handle {
public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (handle_ != INVALID_HANDLE_VALUE)
      ::CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }

private:
  HANDLE handle_;
};

HANDLE OpenExisting(const std::string& path, DWORD access) {
  return ::CreateFileW(win32::Wide(path).c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

} // namespace

bool RemoveFile(const std::string& path) {
  if (win32::Struck(Operation::Remove))
    return false;
  const std::wstring wide = win32::Wide(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  // A link to a folder is removed as a folder; the folder it leads to is not touched.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return ::RemoveDirectoryW(wide.c_str()) != FALSE;
  return ::DeleteFileW(wide.c_str()) != FALSE;
}

bool RemoveEmptyFolder(const std::string& path) {
  return !win32::Struck(Operation::RemoveFolder) &&
         ::RemoveDirectoryW(win32::Wide(path).c_str()) != FALSE;
}

void CreateFolderPath(const std::string& path, FolderAccess) {
  for (size_t end = path.find_first_of("\\/", 3);; end = path.find_first_of("\\/", end + 1)) {
    const std::string prefix = path.substr(0, end);
    if (!prefix.empty() &&
        (win32::Struck(Operation::CreateFolder) ||
         !::CreateDirectoryW(win32::Wide(prefix).c_str(), nullptr)) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS)
      ThrowLastError("CreateDirectoryW", prefix);
    if (end == std::string::npos)
      break;
  }
}

std::string CreatePrivateFolder(const std::string& name) {
  const std::optional<std::string> local = ShellFolder(kFolderLocalAppData);
  if (!local)
    throw std::system_error(std::make_error_code(std::errc::no_such_file_or_directory),
                            "SHGetFolderPathW " + name);
  const std::string path = *local + "\\" + name;
  if ((win32::Struck(Operation::CreateFolder) ||
       !::CreateDirectoryW(win32::Wide(path).c_str(), nullptr)) &&
      ::GetLastError() != ERROR_ALREADY_EXISTS)
    ThrowLastError("CreateDirectoryW", path);
  const DWORD attributes = win32::Struck(Operation::Status)
                               ? INVALID_FILE_ATTRIBUTES
                               : ::GetFileAttributesW(win32::Wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    ThrowLastError("GetFileAttributesW", path);
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    throw std::system_error(std::make_error_code(std::errc::permission_denied), "mkdir " + path);
  return path;
}

bool CreateNewPrivateFile(const std::string& path) {
  const HANDLE handle = win32::Struck(Operation::Open)
                            ? INVALID_HANDLE_VALUE
                            : ::CreateFileW(win32::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    if (::GetLastError() == ERROR_FILE_EXISTS)
      return false;
    ThrowLastError("CreateFileW", path);
  }
  ::CloseHandle(handle);
  return true;
}

bool IsSameFile(const std::string& first, const std::string& second) {
  const Handle a(OpenExisting(first, 0));
  const Handle b(OpenExisting(second, 0));
  BY_HANDLE_FILE_INFORMATION infoA{};
  BY_HANDLE_FILE_INFORMATION infoB{};
  return a.get() != INVALID_HANDLE_VALUE && b.get() != INVALID_HANDLE_VALUE &&
         ::GetFileInformationByHandle(a.get(), &infoA) &&
         ::GetFileInformationByHandle(b.get(), &infoB) &&
         infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
         infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
}

bool SetLastWriteTime(const std::string& path, const LocalDateTime& time) {
  SYSTEMTIME local{};
  local.wYear = static_cast<WORD>(time.year);
  local.wMonth = static_cast<WORD>(time.month);
  local.wDay = static_cast<WORD>(time.day);
  local.wHour = static_cast<WORD>(time.hour);
  local.wMinute = static_cast<WORD>(time.minute);
  local.wSecond = static_cast<WORD>(time.second);
  SYSTEMTIME universal{};
  FILETIME stamp{};
  if (!::TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) ||
      !::SystemTimeToFileTime(&universal, &stamp))
    return false;
  const Handle file(OpenExisting(path, FILE_WRITE_ATTRIBUTES));
  return file.get() != INVALID_HANDLE_VALUE && !win32::Struck(Operation::SetFileTime) &&
         ::SetFileTime(file.get(), nullptr, nullptr, &stamp) != FALSE;
}

} // namespace kiv::platform
