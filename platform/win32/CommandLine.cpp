#include "platform/CommandLine.h"

#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

#include <system_error>

// windows.h first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace kiv::platform {

std::vector<std::string> CommandLineArguments() {
  int count = 0;
  wchar_t** arguments = win32::Struck(testing::Operation::Open)
                            ? nullptr
                            : ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments == nullptr)
    throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                            "CommandLineToArgvW");
  std::vector<std::string> result;
  for (int i = 0; i < count; ++i)
    result.push_back(win32::Utf8(arguments[i]));
  ::LocalFree(arguments);
  return result;
}

} // namespace kiv::platform
