#include "platform/posix/WindowsParameters.h"

#include "platform/AsciiText.h"

namespace kiv::platform {

std::vector<std::string> SplitWindowsParameters(std::string_view parameters) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  const std::size_t end = parameters.size();
  for (;;) {
    while (i < end && IsBlank(parameters[i]))
      ++i;
    if (i == end)
      return arguments;
    std::string argument;
    bool quoted = false;
    while (i < end && (quoted || !IsBlank(parameters[i]))) {
      const char c = parameters[i];
      if (c == '\\') {
        std::size_t backslashes = 0;
        for (; i < end && parameters[i] == '\\'; ++i)
          ++backslashes;
        if (i < end && parameters[i] == '"') {
          argument.append(backslashes / 2, '\\');
          // An even run leaves the quote to group; an odd one makes it part of the argument.
          if (backslashes % 2 == 1) {
            argument += '"';
            ++i;
          }
        } else {
          argument.append(backslashes, '\\');
        }
      } else if (c == '"') {
        if (quoted && i + 1 < end && parameters[i + 1] == '"') {
          argument += '"';
          i += 2;
        } else {
          quoted = !quoted;
          ++i;
        }
      } else {
        argument += c;
        ++i;
      }
    }
    arguments.push_back(std::move(argument));
  }
}

} // namespace kiv::platform
