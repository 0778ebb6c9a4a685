#include "platform/win32/WideText.h"

#include "platform/win32/SystemCalls.h"

namespace kiv::platform::win32 {

std::wstring Wide(std::string_view text) {
  std::wstring wide;
  if (!Utf8ToUtf16(text, wide))
    wide.clear();
  return wide;
}

} // namespace kiv::platform::win32
