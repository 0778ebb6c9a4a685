#include "platform/FileSystem.h"

#include "platform/win32/OpenFile.h"
#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

namespace kiv::platform {
namespace {

// The attributes of path with links followed; false when there is nothing there.
bool FollowedAttributes(const std::string& path, win32::Dword& attributes) {
  std::wstring wide;
  if (!win32::Utf8ToUtf16(path, wide) || path.empty())
    return false;
  attributes = win32::GetFileAttributesW(wide);
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return false;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
    return true;
  // A link's own attributes say nothing of its target: ask the target through a handle.
  const win32::OpenFile target(win32::CreateFileW(
      wide, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS));
  return target.IsOpen() && win32::GetFileInformationByHandle(target.Get(), attributes);
}

void WriteAllAndClose(win32::OpenFile& file, const std::string& path, std::string_view bytes) {
  win32::WriteAll(file.Get(), path, bytes);
  // Devices such as NUL cannot be flushed; that is no failure of the write.
  if (!win32::FlushFileBuffers(file.Get()) && win32::GetLastError() != ERROR_INVALID_HANDLE &&
      win32::GetLastError() != ERROR_INVALID_FUNCTION)
    win32::ThrowLastError("FlushFileBuffers", path);
  if (!file.Close())
    win32::ThrowLastError("CloseHandle", path);
}

} // namespace

bool RegularFileExists(const std::string& path) {
  win32::Dword attributes = 0;
  return FollowedAttributes(path, attributes) &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool DirectoryExists(const std::string& path) {
  win32::Dword attributes = 0;
  return FollowedAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  win32::OpenFile file(win32::CreateFileW(win32::WidePath(path, "CreateFileW"), GENERIC_WRITE,
                                          FILE_SHARE_READ, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL));
  if (!file.IsOpen())
    win32::ThrowLastError("CreateFileW", path);
  WriteAllAndClose(file, path, bytes);
}

void AppendOrCreateFile(const std::string& path, std::string_view bytes) {
  const std::wstring wide = win32::WidePath(path, "CreateFileW");
  // FILE_APPEND_DATA alone makes every write go to the end, as O_APPEND does.
  win32::OpenFile file(win32::CreateFileW(wide, FILE_APPEND_DATA,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL));
  if (!file.IsOpen()) {
    win32::OpenFile created(win32::CreateFileW(wide, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL));
    if (!created.IsOpen())
      win32::ThrowLastError("CreateFileW", path);
    WriteAllAndClose(created, path, bytes);
    return;
  }
  WriteAllAndClose(file, path, bytes);
}

} // namespace kiv::platform
