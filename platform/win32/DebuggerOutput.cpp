#include "platform/DebuggerOutput.h"

#include "platform/win32/Utf16.h"

#include <windows.h>

namespace kiv::platform {

void WriteDebuggerOutput(std::string_view text) noexcept {
  try {
    ::OutputDebugStringW(win32::Wide(text).c_str());
  } catch (...) {
    // Out of memory for the wide copy: the debugger misses this one text.
  }
}

} // namespace kiv::platform
