#pragma once

// Win32 implementation internals: conversion between UTF-8 and UTF-16.

#include <string>
#include <string_view>

// The seam between the UTF-8 of the rest of the system and the UTF-16 of the Win32 calls.
namespace kiv::platform::win32 {

// text as UTF-16 for the wide-character calls of the system services; bytes that are not valid
// UTF-8 give an empty text, which every such call refuses.
std::wstring Wide(std::string_view text);

// path as UTF-16. Throws std::system_error naming call and path when path is not valid UTF-8.
std::wstring WidePath(const std::string& path, const char* call);

// text as UTF-8; a lone surrogate, which no valid name holds, becomes U+FFFD.
std::string Utf8(std::wstring_view text);

} // namespace kiv::platform::win32
