#pragma once

#include <string>
#include <string_view>

namespace kiv::platform::win32 {

// UTF-8 to UTF-16 and back, for the wide-character system calls.
std::wstring Wide(std::string_view text);
std::string Narrow(std::wstring_view text);

} // namespace kiv::platform::win32
