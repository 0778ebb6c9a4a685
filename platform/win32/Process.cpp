#include "platform/Process.h"

#include "platform/win32/LastError.h"
#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

#include <memory>
#include <windows.h>

namespace kiv::platform {

std::string ExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const auto size = static_cast<win32::Dword>(buffer.size());
    const win32::Dword length = win32::GetModuleFileNameW(buffer.data(), size);
    if (length == 0)
      win32::ThrowLastError("GetModuleFileNameW", "of this process");
    // A path that filled the buffer may have been cut.
    if (length < size)
      return win32::Utf8(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

std::vector<std::string> CommandLineArguments(int, char**) {
  struct LocalFree {
    void operator()(wchar_t** memory) const { win32::LocalFree(memory); }
  };
  int count = 0;
  const std::unique_ptr<wchar_t*[], LocalFree> arguments(
      win32::CommandLineToArgvW(win32::GetCommandLineW(), count));
  if (!arguments)
    win32::ThrowLastError("CommandLineToArgvW", "of this process");
  std::vector<std::string> result;
  for (int i = 1; i < count; ++i)
    result.push_back(win32::Utf8(arguments[static_cast<size_t>(i)]));
  return result;
}

} // namespace kiv::platform
