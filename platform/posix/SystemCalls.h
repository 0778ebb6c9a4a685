#pragma once

// The only place where the POSIX implementations call the system. Each wrapper behaves like the
// call it names (its result, errno) and first lets an armed test fault of its operation strike
// (platform/testing/FaultInjection.h).

#include "platform/FileHandle.h"

#include <cstddef>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace kiv::platform::sys {

// The descriptor that handle holds.
inline int Descriptor(const FileHandle& handle) {
  return static_cast<int>(handle.Native());
}

// Each wrapper's fault operation stands behind it.
int Open(const char* path, int flags, mode_t mode = 0);             // Open
ssize_t Read(int fd, void* buffer, size_t size);                    // Read
ssize_t ReadAt(int fd, void* buffer, size_t size, off_t offset);    // Read
ssize_t Write(int fd, const void* bytes, size_t size);              // Write
int Sync(int fd);                                                   // Sync
int Close(int fd);                                                  // Close
int Rename(const char* from, const char* to);                       // Rename
int Unlink(const char* path);                                       // Remove
int Stat(const char* path, struct stat* info);                      // Status
int LinkStat(const char* path, struct stat* info);                  // Status
int FileStat(int fd, struct stat* info);                            // Status
int StatInDirectory(DIR* dir, const char* name, struct stat* info); // Status
int CheckWriteAccess(const char* path);                             // CheckAccess
int ChangeMode(int fd, mode_t mode);                                // ChangeMode
int ChangeOwner(int fd, uid_t owner, gid_t group);                  // ChangeOwner
ssize_t ReadLink(const char* path, char* buffer, size_t size);      // ResolveLink
int SyncFolder(const char* folder);   // SyncFolder: open, fsync and close of the folder
DIR* OpenDirectory(const char* path); // ListDirectory
dirent* ReadDirectory(DIR* dir);      // ReadDirectory
int CloseDirectory(DIR* dir);         // Close
ssize_t ReadExecutableLink(char* buffer, size_t size); // ExecutablePath: readlink /proc/self/exe

// Calls that cannot fail in a way the caller handles, and so have no fault.
void AdviseSequential(int fd);
pid_t ProcessId();

} // namespace kiv::platform::sys
