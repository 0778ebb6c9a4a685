#pragma once

// The only place where the POSIX implementations call the system. Each wrapper behaves like the
// call it names (its result, errno) and first lets an armed test fault strike; see
// platform/testing/FaultInjection.h for which operation each wrapper belongs to.

#include <cstddef>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace kiv::platform::sys {

int Open(const char* path, int flags, mode_t mode = 0);
ssize_t Read(int fd, void* buffer, size_t size);
ssize_t ReadAt(int fd, void* buffer, size_t size, off_t offset);
ssize_t Write(int fd, const void* bytes, size_t size);
int Sync(int fd);
int Close(int fd);
int Rename(const char* from, const char* to);
int Unlink(const char* path);
int Stat(const char* path, struct stat* info);
int LinkStat(const char* path, struct stat* info);
int FileStat(int fd, struct stat* info);
int StatInDirectory(DIR* dir, const char* name, struct stat* info);
int CheckWriteAccess(const char* path);
int ChangeMode(int fd, mode_t mode);
int ChangeOwner(int fd, uid_t owner, gid_t group);
ssize_t ReadLink(const char* path, char* buffer, size_t size);
// Opens folder, flushes its entries to the disk and closes it again.
int SyncFolder(const char* folder);
DIR* OpenDirectory(const char* path);
dirent* ReadDirectory(DIR* dir);
int CloseDirectory(DIR* dir);
// readlink of /proc/self/exe.
ssize_t ReadExecutableLink(char* buffer, size_t size);

// Calls that cannot fail in a way the caller handles, and so have no fault.
void AdviseSequential(int fd);
pid_t ProcessId();

} // namespace kiv::platform::sys
