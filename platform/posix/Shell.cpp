#include "platform/Shell.h"

#include "platform/posix/SystemCalls.h"

#include <sys/wait.h>

namespace kiv::platform {

bool OpenWithShell(const std::string& target, const std::string&) {
  std::string program = "xdg-open";
  std::string argument = target;
  char* const arguments[] = {program.data(), argument.data(), nullptr};
  int status = 0;
  if (sys::SpawnAndWait(program.c_str(), arguments, &status) != 0)
    return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace kiv::platform
