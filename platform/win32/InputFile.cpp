#include "platform/InputFile.h"

#include "platform/win32/Handles.h"
#include "platform/win32/OpenFile.h"
#include "platform/win32/Utf16.h"

#include <algorithm>
#include <windows.h>

namespace kiv::platform {

InputFile::InputFile(const std::string& path) : path_(path) {
  // Others may go on reading, writing, renaming or deleting the file, as on Linux.
  win32::OpenFile file(win32::CreateFileW(win32::WidePath(path, "CreateFileW"), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN));
  if (!file.IsOpen())
    win32::ThrowLastError("CreateFileW", path);
  win32::Dword type = 0;
  if (!win32::GetFileType(file.Get(), type))
    win32::ThrowLastError("GetFileType", path);
  if (type == FILE_TYPE_DISK && !win32::GetFileSizeEx(file.Get(), size_))
    win32::ThrowLastError("GetFileSizeEx", path);
  handle_ = win32::ToOpaque(file.Get());
  file.Release();
}

InputFile::~InputFile() {
  win32::CloseHandle(win32::FromOpaque(handle_));
}

size_t InputFile::Read(char* buffer, size_t size) {
  win32::Dword read = 0;
  const auto wanted = static_cast<win32::Dword>(std::min(size, size_t{1} << 30));
  if (win32::ReadFile(win32::FromOpaque(handle_), buffer, wanted, read))
    return read;
  // A pipe whose writer has gone has ended.
  if (win32::GetLastError() == ERROR_BROKEN_PIPE)
    return 0;
  win32::ThrowLastError("ReadFile", path_);
}

} // namespace kiv::platform
