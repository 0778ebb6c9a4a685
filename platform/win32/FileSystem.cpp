#include "platform/FileSystem.h"

#include "platform/win32/Handles.h"
#include "platform/win32/LastError.h"
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
  const FileHandle target = win32::Own(win32::CreateFileW(
      wide, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS));
  return target.IsOpen() && win32::GetFileInformationByHandle(win32::Native(target), attributes);
}

bool NothingToFlush(win32::Dword error) {
  return error == ERROR_INVALID_HANDLE || error == ERROR_INVALID_FUNCTION ||
         error == ERROR_INVALID_PARAMETER || error == ERROR_WRITE_PROTECT;
}

FileHandle OpenForWriting(const std::string& path, win32::Dword access, win32::Dword disposition) {
  FileHandle file = win32::Own(win32::CreateFileW(win32::WidePath(path, "CreateFileW"), access,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, disposition,
                                                  FILE_ATTRIBUTE_NORMAL));
  if (!file.IsOpen())
    win32::ThrowLastError("CreateFileW", path);
  return file;
}

void FlushAndClose(FileHandle& file, const std::string& path) {
  // Devices such as NUL or the console, and write-protected media, have nothing to flush.
  if (!win32::FlushFileBuffers(win32::Native(file)) && !NothingToFlush(win32::GetLastError()))
    win32::ThrowLastError("FlushFileBuffers", path);
  file.Close(path);
}

void OpenAndWrite(const std::string& path, win32::Dword access, win32::Dword disposition,
                  std::string_view bytes, Flush flush) {
  FileHandle file = OpenForWriting(path, access, disposition);
  win32::WriteAll(file, path, bytes);
  if (flush == Flush::toDisk)
    FlushAndClose(file, path);
  else
    file.Close(path);
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
  OpenAndWrite(path, GENERIC_WRITE, CREATE_ALWAYS, bytes, Flush::toDisk);
}

void AppendOrCreateFile(const std::string& path, std::string_view bytes, Flush flush) {
  // One open that appends or creates, so that nothing is ever truncated; FILE_APPEND_DATA alone
  // makes every write go to the end, as O_APPEND does.
  OpenAndWrite(path, FILE_APPEND_DATA, OPEN_ALWAYS, bytes, flush);
}

void FlushFileToDisk(const std::string& path) {
  FileHandle file = OpenForWriting(path, GENERIC_WRITE, OPEN_EXISTING);
  FlushAndClose(file, path);
}

} // namespace kiv::platform
