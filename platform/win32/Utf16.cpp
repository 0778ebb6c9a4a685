#include "platform/win32/Utf16.h"

#include "platform/win32/SystemCalls.h"

#include <system_error>
#include <windows.h>

namespace kiv::platform::win32 {

std::wstring Wide(std::string_view text) {
  std::wstring wide;
  if (!Utf8ToUtf16(text, wide))
    wide.clear();
  return wide;
}

std::wstring WidePath(const std::string& path, const char* call) {
  std::wstring wide;
  if (!Utf8ToUtf16(path, wide))
    throw std::system_error(ERROR_NO_UNICODE_TRANSLATION, std::system_category(),
                            std::string(call) + " " + path);
  return wide;
}

std::string Utf8(std::wstring_view text) {
  std::string utf8;
  if (Utf16ToUtf8(text, utf8))
    return utf8;
  std::wstring repaired(text);
  for (size_t i = 0; i < repaired.size(); ++i) {
    const bool high = IS_HIGH_SURROGATE(repaired[i]);
    const bool paired = high && i + 1 < repaired.size() && IS_LOW_SURROGATE(repaired[i + 1]);
    if (paired)
      ++i;
    else if (high || IS_LOW_SURROGATE(repaired[i]))
      repaired[i] = L'\xFFFD';
  }
  Utf16ToUtf8(repaired, utf8);
  return utf8;
}

} // namespace kiv::platform::win32
