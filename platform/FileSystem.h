#pragma once

// Platform service: existence of files and folders, whole-file writes and flushes.

#include <string>
#include <string_view>

namespace kiv::platform {

// True for an existing regular file, or a link that leads to one; false for folders and errors.
bool RegularFileExists(const std::string& path);

// True for an existing folder, or a link that leads to one.
bool DirectoryExists(const std::string& path);

// Replaces the file's content with bytes. Throws std::system_error naming the failed call.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// When appended bytes reach the disk: before the append returns, or later, when the system or a
// FlushFileToDisk takes them there; until then they are in the system's cache, which outlives
// the process but not a failure of the system.
enum class Flush { toDisk, later };

// Appends bytes to the file in one write, creating it when missing; an existing file is never
// truncated. Throws std::system_error naming the failed call.
void AppendOrCreateFile(const std::string& path, std::string_view bytes,
                        Flush flush = Flush::toDisk);

// Takes what the system holds of an existing file's content to the disk. Throws
// std::system_error naming the failed call.
void FlushFileToDisk(const std::string& path);

} // namespace kiv::platform
