#include "platform/posix/SystemCalls.h"

#include "platform/testing/FaultSeam.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace kiv::platform::sys {
namespace {

using testing::Fault;
using testing::InjectedFault;
using testing::Operation;

// Fails as the system does: errno set, and the call's failure value.
template <class Result> Result Fail(const Fault& fault, Result failure) {
  errno = static_cast<int>(fault.error);
  return failure;
}

// The size a read or write may move: all of it, or what a short transfer lets through; nullopt
// when the call fails instead.
std::optional<size_t> TransferSize(Operation operation, size_t size) {
  const std::optional<Fault> fault = InjectedFault(operation);
  if (!fault)
    return size;
  if (fault->kind == Fault::Kind::ShortTransfer)
    return std::min(size, fault->bytes);
  errno = static_cast<int>(fault->error);
  return std::nullopt;
}

} // namespace

int Open(const char* path, int flags, mode_t mode) {
  if (const auto fault = InjectedFault(Operation::Open))
    return Fail(*fault, -1);
  return ::open(path, flags, mode);
}

ssize_t Read(int fd, void* buffer, size_t size) {
  const std::optional<size_t> allowed = TransferSize(Operation::Read, size);
  return allowed ? ::read(fd, buffer, *allowed) : -1;
}

ssize_t ReadAt(int fd, void* buffer, size_t size, off_t offset) {
  const std::optional<size_t> allowed = TransferSize(Operation::Read, size);
  return allowed ? ::pread(fd, buffer, *allowed, offset) : -1;
}

ssize_t Write(int fd, const void* bytes, size_t size) {
  const std::optional<size_t> allowed = TransferSize(Operation::Write, size);
  return allowed ? ::write(fd, bytes, *allowed) : -1;
}

int Sync(int fd) {
  if (const auto fault = InjectedFault(Operation::Sync))
    return Fail(*fault, -1);
  return ::fsync(fd);
}

int Close(int fd) {
  if (const auto fault = InjectedFault(Operation::Close)) {
    // A failed close still releases the descriptor on Linux.
    ::close(fd);
    return Fail(*fault, -1);
  }
  return ::close(fd);
}

int Rename(const char* from, const char* to) {
  if (const auto fault = InjectedFault(Operation::Rename))
    return Fail(*fault, -1);
  return ::rename(from, to);
}

int Unlink(const char* path) {
  if (const auto fault = InjectedFault(Operation::Remove))
    return Fail(*fault, -1);
  return ::unlink(path);
}

int Stat(const char* path, struct stat* info) {
  if (const auto fault = InjectedFault(Operation::Status))
    return Fail(*fault, -1);
  return ::stat(path, info);
}

int LinkStat(const char* path, struct stat* info) {
  if (const auto fault = InjectedFault(Operation::Status))
    return Fail(*fault, -1);
  return ::lstat(path, info);
}

int FileStat(int fd, struct stat* info) {
  if (const auto fault = InjectedFault(Operation::Status))
    return Fail(*fault, -1);
  return ::fstat(fd, info);
}

int StatInDirectory(DIR* dir, const char* name, struct stat* info) {
  if (const auto fault = InjectedFault(Operation::Status))
    return Fail(*fault, -1);
  return ::fstatat(::dirfd(dir), name, info, 0);
}

int CheckWriteAccess(const char* path) {
  if (const auto fault = InjectedFault(Operation::CheckAccess))
    return Fail(*fault, -1);
  return ::faccessat(AT_FDCWD, path, W_OK, AT_EACCESS);
}

int CheckExecuteAccess(const char* path) {
  if (const auto fault = InjectedFault(Operation::CheckAccess))
    return Fail(*fault, -1);
  return ::faccessat(AT_FDCWD, path, X_OK, AT_EACCESS);
}

int ChangeMode(int fd, mode_t mode) {
  if (const auto fault = InjectedFault(Operation::ChangeMode))
    return Fail(*fault, -1);
  return ::fchmod(fd, mode);
}

int ChangeOwner(int fd, uid_t owner, gid_t group) {
  if (const auto fault = InjectedFault(Operation::ChangeOwner))
    return Fail(*fault, -1);
  return ::fchown(fd, owner, group);
}

ssize_t ReadLink(const char* path, char* buffer, size_t size) {
  if (const auto fault = InjectedFault(Operation::ResolveLink))
    return Fail(*fault, ssize_t{-1});
  return ::readlink(path, buffer, size);
}

int SyncFolder(const char* folder) {
  if (const auto fault = InjectedFault(Operation::SyncFolder))
    return Fail(*fault, -1);
  const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return -1;
  const int result = ::fsync(fd);
  const int error = errno;
  ::close(fd);
  errno = error;
  return result;
}

DIR* OpenDirectory(const char* path) {
  if (const auto fault = InjectedFault(Operation::ListDirectory))
    return Fail(*fault, static_cast<DIR*>(nullptr));
  return ::opendir(path);
}

dirent* ReadDirectory(DIR* dir) {
  if (const auto fault = InjectedFault(Operation::ReadDirectory))
    return Fail(*fault, static_cast<dirent*>(nullptr));
  return ::readdir(dir);
}

int CloseDirectory(DIR* dir) {
  if (const auto fault = InjectedFault(Operation::Close)) {
    ::closedir(dir);
    return Fail(*fault, -1);
  }
  return ::closedir(dir);
}

ssize_t ReadExecutableLink(char* buffer, size_t size) {
  if (const auto fault = InjectedFault(Operation::ExecutablePath))
    return Fail(*fault, ssize_t{-1});
  return ::readlink("/proc/self/exe", buffer, size);
}

int SystemName(struct utsname* name) {
  if (const auto fault = InjectedFault(Operation::SystemQuery))
    return Fail(*fault, -1);
  return ::uname(name);
}

int HostName(char* buffer, size_t size) {
  if (const auto fault = InjectedFault(Operation::SystemQuery))
    return Fail(*fault, -1);
  return ::gethostname(buffer, size);
}

int MemoryStatus(struct sysinfo* info) {
  if (const auto fault = InjectedFault(Operation::SystemQuery))
    return Fail(*fault, -1);
  return ::sysinfo(info);
}

int ProcessorAffinity(cpu_set_t* processors) {
  if (const auto fault = InjectedFault(Operation::SystemQuery))
    return Fail(*fault, -1);
  return ::sched_getaffinity(0, sizeof(cpu_set_t), processors);
}

int InterfaceAddresses(struct ifaddrs** addresses) {
  if (const auto fault = InjectedFault(Operation::SystemQuery))
    return Fail(*fault, -1);
  return ::getifaddrs(addresses);
}

void FreeInterfaceAddresses(struct ifaddrs* addresses) {
  ::freeifaddrs(addresses);
}

int UserEntry(uid_t user, struct passwd* entry, char* buffer, size_t size, struct passwd** found) {
  if (const auto fault = InjectedFault(Operation::SystemQuery))
    return static_cast<int>(fault->error);
  return ::getpwuid_r(user, entry, buffer, size, found);
}

int VolumeStatus(const char* path, struct statvfs* info) {
  if (const auto fault = InjectedFault(Operation::VolumeQuery))
    return Fail(*fault, -1);
  return ::statvfs(path, info);
}

int MakeFolder(const char* path, mode_t mode) {
  if (const auto fault = InjectedFault(Operation::CreateFolder))
    return Fail(*fault, -1);
  return ::mkdir(path, mode);
}

int RemoveFolder(const char* path) {
  if (const auto fault = InjectedFault(Operation::RemoveFolder))
    return Fail(*fault, -1);
  return ::rmdir(path);
}

int SetFileTimes(const char* path, const struct timespec times[2]) {
  if (const auto fault = InjectedFault(Operation::SetFileTime))
    return Fail(*fault, -1);
  return ::utimensat(AT_FDCWD, path, times, 0);
}

int SpawnAndWait(const char* program, char* const arguments[], int* status) {
  if (const auto fault = InjectedFault(Operation::StartProcess))
    return static_cast<int>(fault->error);
  pid_t child = 0;
  const int error = ::posix_spawnp(&child, program, nullptr, nullptr, arguments, environ);
  if (error != 0)
    return error;
  while (::waitpid(child, status, 0) < 0)
    if (errno != EINTR)
      return errno;
  return 0;
}

int SpawnDetached(const char* path, char* const arguments[]) {
  if (const auto fault = InjectedFault(Operation::StartProcess))
    return static_cast<int>(fault->error);
  pid_t child = 0;
  const int error = ::posix_spawn(&child, path, nullptr, nullptr, arguments, environ);
  if (error != 0)
    return error;
  try {
    std::thread([child] {
      int status = 0;
      while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // The program runs all the same; without a thread to await it, it stays a zombie once it
    // ends, until this process ends.
  }
  return 0;
}

void AdviseSequential(int fd) {
#ifdef POSIX_FADV_SEQUENTIAL
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#else
  static_cast<void>(fd);
#endif
}

pid_t ProcessId() {
  return ::getpid();
}

uid_t EffectiveUser() {
  return ::geteuid();
}

} // namespace kiv::platform::sys
