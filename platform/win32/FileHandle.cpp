#include "platform/FileHandle.h"

#include "platform/win32/Handles.h"
#include "platform/win32/LastError.h"
#include "platform/win32/SystemCalls.h"

namespace kiv::platform {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (IsOpen())
      win32::CloseHandle(win32::FromOpaque(native_));
    native_ = std::exchange(other.native_, kNone);
  }
  return *this;
}

FileHandle::~FileHandle() {
  if (IsOpen())
    win32::CloseHandle(win32::FromOpaque(native_));
}

void FileHandle::Close(const std::string& path) {
  const win32::Handle handle = win32::FromOpaque(native_);
  native_ = kNone;
  if (!win32::CloseHandle(handle))
    win32::ThrowLastError("CloseHandle", path);
}

} // namespace kiv::platform
