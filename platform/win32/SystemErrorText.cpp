#include "platform/SystemErrorText.h"

#include "platform/win32/Utf16.h"

#include <windows.h>

namespace kiv::platform {

std::uint32_t LastErrorCode() {
  return ::GetLastError();
}

std::string SystemErrorText(std::uint32_t code) {
  wchar_t text[256] = {};
  const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, text, 255, nullptr);
  return win32::Utf8(std::wstring_view(text, length));
}

} // namespace kiv::platform
