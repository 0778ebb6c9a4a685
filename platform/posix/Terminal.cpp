#include "platform/Terminal.h"

#include <unistd.h>

namespace kiv::platform {

bool StandardOutputIsTerminal() {
  return ::isatty(STDOUT_FILENO) == 1;
}

bool StandardErrorIsTerminal() {
  return ::isatty(STDERR_FILENO) == 1;
}

} // namespace kiv::platform
