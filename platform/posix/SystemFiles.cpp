#include "platform/posix/SystemFiles.h"

#include "platform/FileHandle.h"
#include "platform/posix/SystemCalls.h"

#include <cerrno>
#include <fcntl.h>

namespace kiv::platform {

std::optional<std::string> ReadSystemFile(const std::string& path) {
  const FileHandle file(sys::Open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.IsOpen())
    return std::nullopt;
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = sys::Read(sys::Descriptor(file), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      return std::nullopt;
    if (n == 0)
      break;
    text.append(buffer, static_cast<size_t>(n));
  }
  return text;
}

} // namespace kiv::platform
