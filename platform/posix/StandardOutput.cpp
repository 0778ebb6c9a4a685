#include "platform/StandardOutput.h"

#include "platform/posix/WriteAll.h"

#include <unistd.h>

namespace kiv::platform {

void WriteStandardOutput(std::string_view bytes) {
  WriteAll(STDOUT_FILENO, "standard output", bytes);
}

} // namespace kiv::platform
