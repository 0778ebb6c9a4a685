#include "platform/win32/LastError.h"

#include "platform/win32/SystemCalls.h"

#include <system_error>

namespace kiv::platform::win32 {

void ThrowLastError(const char* call, const std::string& subject) {
  const std::error_code error(static_cast<int>(GetLastError()), std::system_category());
  const std::error_condition portable = error.default_error_condition();
  const std::string what = std::string(call) + " " + subject;
  if (portable.category() == std::generic_category())
    throw std::system_error(portable.value(), std::generic_category(), what);
  throw std::system_error(error, what);
}

} // namespace kiv::platform::win32
