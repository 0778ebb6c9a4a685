#pragma once

#include <string>
#include <string_view>

namespace kiv::platform {

// True for an existing regular file, or a link that leads to one; false for folders and errors.
bool RegularFileExists(const std::string& path);

// True for an existing folder, or a link that leads to one.
bool DirectoryExists(const std::string& path);

// Replaces the file's content with bytes. Throws std::system_error naming the failed call.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// Appends bytes to the file, creating it when missing; an existing file is never truncated.
// Throws std::system_error naming the failed call.
void AppendOrCreateFile(const std::string& path, std::string_view bytes);

} // namespace kiv::platform
