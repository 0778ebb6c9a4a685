#include "platform/InputFile.h"

#include "platform/win32/Handles.h"
#include "platform/win32/LastError.h"
#include "platform/win32/Utf16.h"

#include <algorithm>
#include <system_error>
#include <windows.h>

namespace kiv::platform {

InputFile::InputFile(const std::string& path) : path_(path) {
  // Others may go on reading, writing, renaming or deleting the file, as on Linux.
  file_ = win32::Own(win32::CreateFileW(win32::WidePath(path, "CreateFileW"), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
  if (!file_.IsOpen()) {
    // A folder cannot be opened as a file; say so rather than "access denied".
    const win32::Dword attributes = win32::GetFileAttributesW(win32::WidePath(path, "CreateFileW"));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      throw std::system_error(std::make_error_code(std::errc::is_a_directory),
                              "CreateFileW " + path);
    win32::ThrowLastError("CreateFileW", path);
  }
  win32::Dword type = 0;
  if (!win32::GetFileType(win32::Native(file_), type))
    win32::ThrowLastError("GetFileType", path);
  if (type == FILE_TYPE_DISK && !win32::GetFileSizeEx(win32::Native(file_), size_))
    win32::ThrowLastError("GetFileSizeEx", path);
}

InputFile::~InputFile() = default;

size_t InputFile::Read(char* buffer, size_t size) {
  win32::Dword read = 0;
  const auto wanted = static_cast<win32::Dword>(std::min(size, size_t{1} << 30));
  if (win32::ReadFile(win32::Native(file_), buffer, wanted, read))
    return read;
  // A pipe whose writer has gone has ended.
  if (win32::GetLastError() == ERROR_BROKEN_PIPE)
    return 0;
  win32::ThrowLastError("ReadFile", path_);
}

} // namespace kiv::platform
