#include "platform/InputFile.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"

#include <fcntl.h>

namespace kiv::platform {

InputFile::InputFile(const std::string& path)
    : file_(sys::Open(path.c_str(), O_RDONLY | O_CLOEXEC)), path_(path) {
  if (!file_.IsOpen())
    throw ErrnoError("open", path);
  struct stat info {};
  if (sys::FileStat(sys::Descriptor(file_), &info) != 0)
    throw ErrnoError("fstat", path);
  if (S_ISDIR(info.st_mode))
    throw std::system_error(EISDIR, std::generic_category(), "open " + path);
  if (S_ISREG(info.st_mode))
    size_ = static_cast<std::uint64_t>(info.st_size);
  sys::AdviseSequential(sys::Descriptor(file_));
}

InputFile::~InputFile() = default;

size_t InputFile::Read(char* buffer, size_t size) {
  for (;;) {
    const ssize_t n = sys::Read(sys::Descriptor(file_), buffer, size);
    if (n >= 0)
      return static_cast<size_t>(n);
    if (errno != EINTR)
      throw ErrnoError("read", path_);
  }
}

} // namespace kiv::platform
