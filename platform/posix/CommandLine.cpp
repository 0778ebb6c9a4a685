#include "platform/CommandLine.h"

#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemFiles.h"

#include <cerrno>
#include <system_error>

namespace kiv::platform {

std::vector<std::string> CommandLineArguments() {
  const std::optional<std::string> text = ReadSystemFile("/proc/self/cmdline");
  if (!text)
    throw ErrnoError("open", "/proc/self/cmdline");
  std::vector<std::string> arguments;
  size_t start = 0;
  while (start < text->size()) {
    size_t end = text->find('\0', start);
    if (end == std::string::npos)
      end = text->size();
    arguments.push_back(text->substr(start, end - start));
    start = end + 1;
  }
  return arguments;
}

} // namespace kiv::platform
