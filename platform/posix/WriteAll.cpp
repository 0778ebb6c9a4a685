#include "platform/posix/WriteAll.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"

namespace kiv::platform {

void WriteAll(int descriptor, const std::string& target, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = sys::Write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      throw ErrnoError("write", target);
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
}

} // namespace kiv::platform
