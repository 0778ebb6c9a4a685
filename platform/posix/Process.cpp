#include "platform/Process.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/LinkText.h"
#include "platform/posix/SystemCalls.h"

#include <algorithm>
#include <vector>

namespace kiv::platform {

std::string ExecutablePath() {
  if (std::optional<std::string> path = WholeLinkText(sys::ReadExecutableLink))
    return *std::move(path);
  throw ErrnoError("readlink", "/proc/self/exe");
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

} // namespace kiv::platform
