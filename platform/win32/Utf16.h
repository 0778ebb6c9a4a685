#pragma once

#include <string>
#include <string_view>

// The seam between the UTF-8 of the rest of the system and the UTF-16 of the Win32 calls.
namespace kiv::platform::win32 {

// path as UTF-16. Throws std::system_error naming call and path when path is not valid UTF-8.
std::wstring WidePath(const std::string& path, const char* call);

// text as UTF-8; a lone surrogate, which no valid name holds, becomes U+FFFD.
std::string Utf8(std::wstring_view text);

// Throws std::system_error for the reason the last failed call left, naming call and subject.
// A reason that the C++ library maps to a std::errc is reported as that portable error, with the
// same code and text as on Linux; any other keeps its Windows code and the system's text.
[[noreturn]] void ThrowLastError(const char* call, const std::string& subject);

} // namespace kiv::platform::win32
