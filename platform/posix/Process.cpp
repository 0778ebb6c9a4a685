#include "platform/Process.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/LinkText.h"
#include "platform/posix/SystemCalls.h"

namespace kiv::platform {

std::string ExecutablePath() {
  if (std::optional<std::string> path = WholeLinkText(sys::ReadExecutableLink))
    return *std::move(path);
  throw ErrnoError("readlink", "/proc/self/exe");
}

} // namespace kiv::platform
