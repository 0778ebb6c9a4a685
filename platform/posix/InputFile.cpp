#include "platform/InputFile.h"

#include "platform/posix/SystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kiv::platform {

InputFile::InputFile(const std::string& path) : path_(path) {
  const int fd = sys::Open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    throw std::system_error(errno, std::generic_category(), "open " + path);
  struct stat info {};
  if (sys::FileStat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    sys::Close(fd);
    throw std::system_error(error, std::generic_category(), "open " + path);
  }
  handle_ = fd;
  if (S_ISREG(info.st_mode))
    size_ = static_cast<std::uint64_t>(info.st_size);
  sys::AdviseSequential(fd);
}

InputFile::~InputFile() {
  sys::Close(static_cast<int>(handle_));
}

size_t InputFile::Read(char* buffer, size_t size) {
  for (;;) {
    const ssize_t n = sys::Read(static_cast<int>(handle_), buffer, size);
    if (n >= 0)
      return static_cast<size_t>(n);
    if (errno != EINTR)
      throw std::system_error(errno, std::generic_category(), "read " + path_);
  }
}

} // namespace kiv::platform
