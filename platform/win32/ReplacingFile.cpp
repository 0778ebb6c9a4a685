#include "platform/ReplacingFile.h"

#include "platform/win32/Handles.h"
#include "platform/win32/OpenFile.h"
#include "platform/win32/Utf16.h"

#include <windows.h>

namespace kiv::platform {

ReplacingFile::ReplacingFile(std::string targetPath) : target_(std::move(targetPath)) {
  // CREATE_NEW with a fresh name, so that a temporary of another process is never touched.
  for (unsigned attempt = 0;; ++attempt) {
    temporary_ = target_ + ".tmp" + std::to_string(win32::GetCurrentProcessId()) + "-" +
                 std::to_string(attempt);
    const win32::Handle file =
        win32::CreateFileW(win32::WidePath(temporary_, "CreateFileW"), GENERIC_WRITE, 0, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL);
    if (file != win32::InvalidHandle()) {
      handle_ = win32::ToOpaque(file);
      return;
    }
    const win32::Dword error = win32::GetLastError();
    if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 100)
      win32::ThrowLastError("CreateFileW", temporary_);
  }
}

ReplacingFile::~ReplacingFile() {
  if (handle_ != -1)
    win32::CloseHandle(win32::FromOpaque(handle_));
  // The constructor has proved the name convertible.
  std::wstring temporary;
  if (!committed_ && win32::Utf8ToUtf16(temporary_, temporary))
    win32::DeleteFileW(temporary);
}

void ReplacingFile::Write(std::string_view bytes) {
  win32::WriteAll(win32::FromOpaque(handle_), temporary_, bytes);
}

void ReplacingFile::Commit() {
  win32::OpenFile file(win32::FromOpaque(handle_));
  handle_ = -1;
  if (!win32::FlushFileBuffers(file.Get()))
    win32::ThrowLastError("FlushFileBuffers", temporary_);
  if (!file.Close())
    win32::ThrowLastError("CloseHandle", temporary_);
  if (!win32::MoveFileExW(win32::WidePath(temporary_, "MoveFileExW"),
                          win32::WidePath(target_, "MoveFileExW")))
    win32::ThrowLastError("MoveFileExW", target_);
  committed_ = true;
}

} // namespace kiv::platform
