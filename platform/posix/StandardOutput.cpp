#include "platform/StandardOutput.h"

#include "platform/posix/SystemCalls.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace kiv::platform {

void WriteStandardOutput(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = sys::Write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0)
      throw std::system_error(errno, std::generic_category(), "write standard output");
    bytes.remove_prefix(static_cast<size_t>(n));
  }
}

} // namespace kiv::platform
