#include "platform/FileOperations.h"

#include "platform/FileHandle.h"
#include "platform/KnownFolders.h"
#include "platform/posix/ErrnoError.h"
#include "platform/posix/SystemCalls.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <system_error>

namespace kiv::platform {

bool RemoveFile(const std::string& path) {
  return sys::Unlink(path.c_str()) == 0;
}

bool RemoveEmptyFolder(const std::string& path) {
  return sys::RemoveFolder(path.c_str()) == 0;
}

namespace {

// Creates folder, and its missing parents when its own parent is missing: the folder asked for is
// the one a failure names, unless a parent cannot be made.
void MakeFolders(const std::string& folder, mode_t mode) {
  if (sys::MakeFolder(folder.c_str(), mode) == 0 || errno == EEXIST)
    return;
  const std::string parent = folder.substr(0, folder.rfind('/'));
  if (errno != ENOENT || parent.empty() || parent == folder)
    throw ErrnoError("mkdir", folder);
  MakeFolders(parent, mode);
  if (sys::MakeFolder(folder.c_str(), mode) != 0 && errno != EEXIST)
    throw ErrnoError("mkdir", folder);
}

} // namespace

void CreateFolderPath(const std::string& path, FolderAccess access) {
  MakeFolders(path, access == FolderAccess::OwnerOnly ? 0700 : 0755);
  struct stat info {};
  if (sys::Stat(path.c_str(), &info) != 0)
    throw ErrnoError("mkdir", path);
  // Something other than a folder stands where the folder should be.
  if (!S_ISDIR(info.st_mode))
    throw std::system_error(std::make_error_code(std::errc::not_a_directory), "mkdir " + path);
}

std::string CreatePrivateFolder(const std::string& name) {
  const std::string path =
      TemporaryFolder() + "/" + name + "-" + std::to_string(sys::EffectiveUser());
  if (sys::MakeFolder(path.c_str(), 0700) != 0 && errno != EEXIST)
    throw ErrnoError("mkdir", path);
  // A folder of another user, or one that others may write to, could hold what they planted.
  struct stat info {};
  if (sys::LinkStat(path.c_str(), &info) != 0)
    throw ErrnoError("lstat", path);
  if (!S_ISDIR(info.st_mode) || info.st_uid != sys::EffectiveUser() || (info.st_mode & 077) != 0)
    throw std::system_error(std::make_error_code(std::errc::permission_denied), "mkdir " + path);
  return path;
}

bool CreateNewPrivateFile(const std::string& path) {
  FileHandle file(sys::Open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!file.IsOpen()) {
    if (errno == EEXIST)
      return false;
    throw ErrnoError("open", path);
  }
  file.Close(path);
  return true;
}

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat a {};
  struct stat b {};
  return sys::Stat(first.c_str(), &a) == 0 && sys::Stat(second.c_str(), &b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool SetLastWriteTime(const std::string& path, const LocalDateTime& time) {
  struct stat info {};
  if (sys::Stat(path.c_str(), &info) != 0)
    return false;
  std::tm local{};
  local.tm_year = time.year - 1900;
  local.tm_mon = time.month - 1;
  local.tm_mday = time.day;
  local.tm_hour = time.hour;
  local.tm_min = time.minute;
  local.tm_sec = time.second;
  local.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&local);
  if (seconds == static_cast<std::time_t>(-1))
    return false;
  const timespec times[2] = {{0, UTIME_OMIT}, {seconds, 0}};
  return sys::SetFileTimes(path.c_str(), times) == 0;
}

} // namespace kiv::platform
