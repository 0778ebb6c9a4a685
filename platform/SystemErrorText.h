#pragma once

// Platform service: the last system error and its text.

#include <cstdint>
#include <string>

namespace kiv::platform {

// The calling thread's last system error code: GetLastError on Windows, errno on Linux.
std::uint32_t LastErrorCode();

// The system's message for code: FormatMessageW in the default language on Windows (at most 255
// characters, as the system gives it), strerror_r on Linux.
std::string SystemErrorText(std::uint32_t code);

} // namespace kiv::platform
