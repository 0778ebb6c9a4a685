#pragma once

// Platform service: deleting files and folders, making folders and private files,
// comparing and stamping files.

#include "platform/Clock.h"

#include <string>

namespace kiv::platform {

// Deletes the file (a link itself, never what it leads to): DeleteFileW, unlink. False on failure.
bool RemoveFile(const std::string& path);

// Removes the folder when it is empty: RemoveDirectoryW, rmdir. False on failure.
bool RemoveEmptyFolder(const std::string& path);

// Who may enter the folders CreateFolderPath makes, on Linux: their owner only, or everyone
// (reading, not writing). Windows gives a new folder the rights of its parent.
enum class FolderAccess { OwnerOnly, EveryoneReads };

// Creates the folder and its missing parents. Throws std::system_error naming the failed call.
void CreateFolderPath(const std::string& path, FolderAccess access = FolderAccess::OwnerOnly);

// The user's own folder named name for files of the programs, created when missing, with its path
// (no trailing separator). Linux: "<name>-<user id>" in TemporaryFolder(), made with mode 0700; an
// existing one must be a folder, not a link, owned by the user, with no rights for anyone else.
// Windows: name in the user's own local application data, which only the user may enter; an
// existing one must be a folder that is no link. Throws std::system_error naming the failed call;
// a folder refused for its owner, rights or a link has permission_denied ("mkdir <path>").
std::string CreatePrivateFolder(const std::string& name);

// Creates path as a new empty file readable and writable by its owner only; false when it already
// exists. Throws std::system_error for any other failure.
bool CreateNewPrivateFile(const std::string& path);

// True when both paths exist and name the same file (links followed).
bool IsSameFile(const std::string& first, const std::string& second);

// Sets the file's last-write time to the local date-time: SetFileTime on Windows, utimensat on
// Linux. False when the file does not exist or the time cannot be set.
bool SetLastWriteTime(const std::string& path, const LocalDateTime& time);

} // namespace kiv::platform
