#include "platform/Process.h"

#include "platform/posix/SystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace kiv::platform {

std::string ExecutablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    ssize_t length = sys::ReadExecutableLink(buffer.data(), buffer.size());
    if (length < 0)
      throw std::system_error(errno, std::generic_category(), "readlink /proc/self/exe");
    if (static_cast<size_t>(length) < buffer.size())
      return std::string(buffer.data(), static_cast<size_t>(length));
    buffer.resize(buffer.size() * 2);
  }
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

} // namespace kiv::platform
