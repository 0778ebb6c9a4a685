#include "platform/Shell.h"

#include "platform/win32/SystemCalls.h"
#include "platform/win32/Utf16.h"

// windows.h first: the other system headers build on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace kiv::platform {
namespace {

// ShellExecuteW with verb (none: the default verb) and parameters (none when empty).
bool Execute(const wchar_t* verb, const std::string& target, const std::string& parameters) {
  if (win32::Struck(testing::Operation::StartProcess))
    return false;
  const std::wstring file = win32::Wide(target);
  const std::wstring arguments = win32::Wide(parameters);
  const HINSTANCE result =
      ::ShellExecuteW(nullptr, verb, file.c_str(), arguments.empty() ? nullptr : arguments.c_str(),
                      nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace

bool OpenWithShell(const std::string& target) {
  return Execute(L"open", target, {});
}

bool StartWithShell(const std::string& target, const std::string& parameters) {
  return Execute(nullptr, target, parameters);
}

} // namespace kiv::platform
