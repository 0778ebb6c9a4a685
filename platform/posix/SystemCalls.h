#pragma once

// The only place where the POSIX implementations call the system. Each wrapper behaves like the
// call it names (its result, errno) and first lets an armed test fault of its operation strike
// (platform/testing/FaultInjection.h).

#include "platform/FileHandle.h"

#include <cstddef>
#include <ctime>
#include <dirent.h>
#include <ifaddrs.h>
#include <pwd.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <sys/types.h>
#include <sys/utsname.h>

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
int CheckExecuteAccess(const char* path);                           // CheckAccess
int ChangeMode(int fd, mode_t mode);                                // ChangeMode
int ChangeOwner(int fd, uid_t owner, gid_t group);                  // ChangeOwner
ssize_t ReadLink(const char* path, char* buffer, size_t size);      // ResolveLink
int SyncFolder(const char* folder);   // SyncFolder: open, fsync and close of the folder
DIR* OpenDirectory(const char* path); // ListDirectory
dirent* ReadDirectory(DIR* dir);      // ReadDirectory
int CloseDirectory(DIR* dir);         // Close
ssize_t ReadExecutableLink(char* buffer, size_t size); // ExecutablePath: readlink /proc/self/exe

// Services of system information, folders and programs.
int SystemName(struct utsname* name);                   // SystemQuery: uname
int HostName(char* buffer, size_t size);                // SystemQuery: gethostname
int MemoryStatus(struct sysinfo* info);                 // SystemQuery: sysinfo
int ProcessorAffinity(cpu_set_t* processors);           // SystemQuery: sched_getaffinity
int InterfaceAddresses(struct ifaddrs** addresses);     // SystemQuery: getifaddrs
void FreeInterfaceAddresses(struct ifaddrs* addresses); // no fault: freeifaddrs
int UserEntry(uid_t user, struct passwd* entry, char* buffer, size_t size,
              struct passwd** found);                               // SystemQuery: getpwuid_r
int VolumeStatus(const char* path, struct statvfs* info);           // VolumeQuery: statvfs
int MakeFolder(const char* path, mode_t mode);                      // CreateFolder: mkdir
int RemoveFolder(const char* path);                                 // RemoveFolder: rmdir
int SetFileTimes(const char* path, const struct timespec times[2]); // SetFileTime: utimensat
// StartProcess: posix_spawnp of program with arguments (a null-terminated list), then waitpid for
// it. Returns posix_spawnp's error or 0, and the child's wait status in status.
int SpawnAndWait(const char* program, char* const arguments[], int* status);
// StartProcess: posix_spawn of the executable file at path (no search on PATH) with arguments,
// without waiting for it; a thread of its own awaits its end, so that it leaves no zombie. Returns
// posix_spawn's error (a program that could not be executed among them) or 0.
int SpawnDetached(const char* path, char* const arguments[]);

// Calls that cannot fail in a way the caller handles, and so have no fault.
void AdviseSequential(int fd);
pid_t ProcessId();
uid_t EffectiveUser();

} // namespace kiv::platform::sys
