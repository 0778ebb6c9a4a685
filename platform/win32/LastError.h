#pragma once

// Win32 implementation internals: std::system_error from the last error, naming the call.

#include <string>

namespace kiv::platform::win32 {

// Throws std::system_error for the reason the last failed call left, naming call and subject.
// A reason that the C++ library maps to a std::errc is reported as that portable error, with the
// same code and text as on Linux; any other keeps its Windows code and the system's text.
[[noreturn]] void ThrowLastError(const char* call, const std::string& subject);

} // namespace kiv::platform::win32
