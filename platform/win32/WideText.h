#pragma once

#include <string>
#include <string_view>

namespace kiv::platform::win32 {

// text as UTF-16 for the wide-character calls of the system services; bytes that are not valid
// UTF-8 give an empty text, which every such call refuses.
std::wstring Wide(std::string_view text);

} // namespace kiv::platform::win32
