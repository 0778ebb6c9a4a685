#include "platform/ReplacingFile.h"

#include "platform/win32/Handles.h"
#include "platform/win32/LastError.h"
#include "platform/win32/Utf16.h"

#include <system_error>
#include <windows.h>

namespace kiv::platform {

ReplacingFile::ReplacingFile(std::string targetPath, LinkTarget links)
    : target_(std::move(targetPath)) {
  const std::wstring target = win32::WidePath(target_, "CreateFileW");
  const win32::Dword attributes = win32::GetFileAttributesW(target);
  if (attributes != INVALID_FILE_ATTRIBUTES && links == LinkTarget::Refuse &&
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
    throw std::system_error(std::make_error_code(std::errc::too_many_symbolic_link_levels),
                            "CreateFileW " + target_);
  // An existing target that is not a regular file (a folder, a device such as NUL or CON, a
  // pipe), or that may not be written (read-only, or refused to this user), is refused before
  // anything is created: a save would put a plain file in its place.
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      throw std::system_error(std::make_error_code(std::errc::is_a_directory),
                              "CreateFileW " + target_);
    if (!win32::CheckWriteAccess(target))
      win32::ThrowLastError("CreateFileW", target_);
    win32::Dword type = 0;
    if (!win32::GetFileTypeOfPath(target, type))
      win32::ThrowLastError("GetFileType", target_);
    if (type != FILE_TYPE_DISK)
      throw std::system_error(std::make_error_code(std::errc::invalid_argument),
                              "CreateFileW " + target_ + " (not a regular file)");
  }
  // CREATE_NEW with a fresh name, so that a temporary of another process is never touched.
  for (unsigned attempt = 0; !file_.IsOpen(); ++attempt) {
    temporary_ = target_ + ".tmp" + std::to_string(win32::GetCurrentProcessId()) + "-" +
                 std::to_string(attempt);
    file_ = win32::Own(win32::CreateFileW(win32::WidePath(temporary_, "CreateFileW"), GENERIC_WRITE,
                                          0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL));
    const win32::Dword error = file_.IsOpen() ? ERROR_SUCCESS : win32::GetLastError();
    if (!file_.IsOpen() &&
        ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 100))
      win32::ThrowLastError("CreateFileW", target_);
  }
}

ReplacingFile::~ReplacingFile() {
  if (!committed_)
    Discard();
}

void ReplacingFile::Discard() noexcept {
  file_ = FileHandle();
  // The constructor has proved the name convertible.
  std::wstring temporary;
  if (win32::Utf8ToUtf16(temporary_, temporary))
    win32::DeleteFileW(temporary);
}

void ReplacingFile::Write(std::string_view bytes) {
  win32::WriteAll(file_, target_, bytes);
}

void ReplacingFile::Commit() {
  if (!win32::FlushFileBuffers(win32::Native(file_)))
    win32::ThrowLastError("FlushFileBuffers", target_);
  file_.Close(target_);
  // MOVEFILE_WRITE_THROUGH returns only when the move is on the disk: Windows has no folder of
  // its own to flush.
  if (!win32::MoveFileExW(win32::WidePath(temporary_, "MoveFileExW"),
                          win32::WidePath(target_, "MoveFileExW")))
    win32::ThrowLastError("MoveFileExW", target_);
  committed_ = true;
}

} // namespace kiv::platform
