#include "platform/StreamFile.h"

#include "platform/win32/Handles.h"
#include "platform/win32/LastError.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

namespace kiv::platform {

StreamFile::StreamFile(std::string path) : path_(std::move(path)) {
  // OPEN_EXISTING: a stream is never created here.
  file_ = win32::Own(win32::CreateFileW(win32::WidePath(path_, "CreateFileW"), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL));
  if (!file_.IsOpen())
    win32::ThrowLastError("CreateFileW", path_);
}

void StreamFile::Write(std::string_view bytes) {
  win32::WriteAll(file_, path_, bytes);
}

void StreamFile::Close() {
  file_.Close(path_);
}

} // namespace kiv::platform
