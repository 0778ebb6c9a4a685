#include "platform/Clock.h"

#include "platform/win32/SystemCalls.h"

#include <windows.h>

namespace kiv::platform {

LocalDateTime Now() {
  SYSTEMTIME now{};
  win32::GetLocalTime(now);
  return LocalDateTime{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                       now.wMinute, now.wSecond, now.wMilliseconds};
}

} // namespace kiv::platform
