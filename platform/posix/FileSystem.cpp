#include "platform/FileSystem.h"

#include "platform/posix/SystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kiv::platform {
namespace {

[[noreturn]] void ThrowErrno(const char* call, const std::string& path) {
  throw std::system_error(errno, std::generic_category(), std::string(call) + " " + path);
}

class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0)
      sys::Close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, so that a failure of the last write-back is seen.
  int release_and_close() {
    int rc = sys::Close(fd_);
    fd_ = -1;
    return rc;
  }

private:
  int fd_;
};

void WriteAllAndClose(FileDescriptor& file, const std::string& path, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = sys::Write(file.get(), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      ThrowErrno("write", path);
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  if (sys::Sync(file.get()) != 0 && errno != EINVAL && errno != EROFS)
    ThrowErrno("fsync", path);
  if (file.release_and_close() != 0)
    ThrowErrno("close", path);
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
  FileDescriptor file(sys::Open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0)
    ThrowErrno("open", path);
  WriteAllAndClose(file, path, bytes);
}

void AppendOrCreateFile(const std::string& path, std::string_view bytes) {
  FileDescriptor file(sys::Open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
  if (file.get() < 0) {
    FileDescriptor created(sys::Open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (created.get() < 0)
      ThrowErrno("open", path);
    WriteAllAndClose(created, path, bytes);
    return;
  }
  WriteAllAndClose(file, path, bytes);
}

} // namespace kiv::platform
