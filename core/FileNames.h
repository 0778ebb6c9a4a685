#pragma once

// File-name helpers on strings: separators, folders, names and the extension rule.

#include <string>
#include <string_view>

namespace kiv {

// True for the characters that separate folders in a path on this system.
bool IsPathSeparator(char c);

// The separator this system itself writes between folders: "\" on Windows, "/" elsewhere.
char PathSeparator();

// The folder part with its trailing separator; empty when the path names no folder.
std::string ExtractFilePath(std::string_view path);

// The part after the last separator.
std::string ExtractFileName(std::string_view path);

// The file name's part from its last "." on; empty when the name has no ".".
std::string ExtractFileExt(std::string_view path);

// Replaces the extension with newExtension, or appends it when the name has none.
std::string ChangeFileExt(std::string_view path, std::string_view newExtension);

} // namespace kiv
