#include "core/RunningProgram.h"

#include "platform/Process.h"

#include <system_error>

namespace kiv {

std::string RunningProgramPath() {
  try {
    return platform::ExecutablePath();
  } catch (const std::system_error&) {
    return {};
  }
}

} // namespace kiv
