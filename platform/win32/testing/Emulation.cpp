#include "platform/testing/Emulation.h"

#include <windows.h>

namespace kiv::platform::testing {

bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace kiv::platform::testing
