#include "platform/DebuggerOutput.h"

#include <cstdio>

namespace kiv::platform {

void WriteDebuggerOutput(std::string_view text) noexcept {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
}

} // namespace kiv::platform
