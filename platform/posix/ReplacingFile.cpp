#include "platform/ReplacingFile.h"

#include "platform/posix/SystemCalls.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace kiv::platform {
namespace {

[[noreturn]] void ThrowErrno(const char* call, const std::string& path) {
  throw std::system_error(errno, std::generic_category(), std::string(call) + " " + path);
}

} // namespace

ReplacingFile::ReplacingFile(std::string targetPath) : target_(std::move(targetPath)) {
  // O_EXCL with a fresh name, rather than mkstemp, so that the finished file gets the usual
  // permissions of a new file.
  for (unsigned attempt = 0;; ++attempt) {
    temporary_ =
        target_ + ".tmp" + std::to_string(sys::ProcessId()) + "-" + std::to_string(attempt);
    const int fd = sys::Open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      handle_ = fd;
      return;
    }
    if (errno != EEXIST || attempt == 100)
      ThrowErrno("open", temporary_);
  }
}

ReplacingFile::~ReplacingFile() {
  if (handle_ >= 0)
    sys::Close(static_cast<int>(handle_));
  if (!committed_)
    sys::Unlink(temporary_.c_str());
}

void ReplacingFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = sys::Write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      ThrowErrno("write", temporary_);
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
}

void ReplacingFile::Commit() {
  const int fd = static_cast<int>(handle_);
  if (sys::Sync(fd) != 0)
    ThrowErrno("fsync", temporary_);
  handle_ = -1;
  if (sys::Close(fd) != 0)
    ThrowErrno("close", temporary_);
  if (sys::Rename(temporary_.c_str(), target_.c_str()) != 0)
    ThrowErrno("rename", target_);
  committed_ = true;
}

} // namespace kiv::platform
