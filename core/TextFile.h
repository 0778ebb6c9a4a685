#pragma once

// Files read and written whole: any file's bytes, and text files as CR LF lines.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kiv {

// Lines ended by CR LF (the last one too), without a byte-order mark, as one block of bytes.
std::string JoinCrLfLines(const std::vector<std::string>& lines);

// Writes lines to path as CR LF text, replacing the file. Throws std::system_error.
void WriteTextFile(const std::string& path, const std::vector<std::string>& lines);

// The file's bytes as they are, whole. Throws std::system_error naming the failed call.
std::string ReadWholeFile(const std::string& path);

// The file's bytes, whole, when it holds at most limit of them, else nullopt: reading stops there,
// so that an endless input (a device, a pipe) ends too. Throws std::system_error.
std::optional<std::string> ReadFileUpTo(const std::string& path, std::size_t limit);

} // namespace kiv
