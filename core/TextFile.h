#pragma once

// Text files as CR LF lines of bytes, read and written whole.

#include <string>
#include <vector>

namespace kiv {

// Lines ended by CR LF (the last one too), without a byte-order mark, as one block of bytes.
std::string JoinCrLfLines(const std::vector<std::string>& lines);

// Writes lines to path as CR LF text, replacing the file. Throws std::system_error.
void WriteTextFile(const std::string& path, const std::vector<std::string>& lines);

} // namespace kiv
