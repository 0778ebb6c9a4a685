#include "platform/FileSystem.h"

#include "platform/FileHandle.h"
#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"
#include "platform/posix/WriteAll.h"

#include <fcntl.h>

namespace kiv::platform {
namespace {

void SyncAndClose(FileHandle& file, const std::string& path) {
  // Devices and read-only mounts have nothing to flush.
  if (sys::Sync(sys::Descriptor(file)) != 0 && errno != EINVAL && errno != EROFS)
    throw ErrnoError("fsync", path);
  file.Close(path);
}

void OpenAndWrite(const std::string& path, int flags, std::string_view bytes, Flush flush) {
  FileHandle file(sys::Open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flags, 0666));
  if (!file.IsOpen())
    throw ErrnoError("open", path);
  WriteAll(sys::Descriptor(file), path, bytes);
  if (flush == Flush::toDisk)
    SyncAndClose(file, path);
  else
    file.Close(path);
}

} // namespace

bool RegularFileExists(const std::string& path) {
  struct stat info {};
  return sys::Stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return sys::Stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  OpenAndWrite(path, O_TRUNC, bytes, Flush::toDisk);
}

void AppendOrCreateFile(const std::string& path, std::string_view bytes, Flush flush) {
  // One open that appends or creates, so that nothing is ever truncated, also when another
  // process creates or appends to the file at the same time.
  OpenAndWrite(path, O_APPEND, bytes, flush);
}

void FlushFileToDisk(const std::string& path) {
  FileHandle file(sys::Open(path.c_str(), O_WRONLY | O_CLOEXEC, 0));
  if (!file.IsOpen())
    throw ErrnoError("open", path);
  SyncAndClose(file, path);
}

} // namespace kiv::platform
