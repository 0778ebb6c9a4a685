#include "platform/FileOperations.h"

#include "platform/FileHandle.h"
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

void CreateFolderPath(const std::string& path) {
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string prefix = path.substr(0, end);
    if (!prefix.empty() && sys::MakeFolder(prefix.c_str(), 0700) != 0 && errno != EEXIST)
      throw ErrnoError("mkdir", prefix);
    if (end == std::string::npos)
      break;
  }
  struct stat info {};
  if (sys::Stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    throw std::system_error(errno != 0 ? errno : ENOTDIR, std::generic_category(), "mkdir " + path);
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
