#pragma once

#include <string>

namespace kiv::platform {

// Full path of the running executable. Throws std::system_error when the system cannot tell.
std::string ExecutablePath();

} // namespace kiv::platform
