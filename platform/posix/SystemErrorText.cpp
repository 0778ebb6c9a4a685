#include "platform/SystemErrorText.h"

#include <cerrno>
#include <system_error>

namespace kiv::platform {

std::uint32_t LastErrorCode() {
  return static_cast<std::uint32_t>(errno);
}

std::string SystemErrorText(std::uint32_t code) {
  return std::generic_category().message(static_cast<int>(code));
}

} // namespace kiv::platform
