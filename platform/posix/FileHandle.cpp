#include "platform/FileHandle.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"

namespace kiv::platform {

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    if (IsOpen())
      sys::Close(sys::Descriptor(*this));
    native_ = std::exchange(other.native_, kNone);
  }
  return *this;
}

FileHandle::~FileHandle() {
  if (IsOpen())
    sys::Close(sys::Descriptor(*this));
}

void FileHandle::Close(const std::string& path) {
  const int fd = sys::Descriptor(*this);
  native_ = kNone;
  if (sys::Close(fd) != 0)
    throw ErrnoError("close", path);
}

} // namespace kiv::platform
