#include "platform/PathNames.h"

#include "platform/posix/SystemCalls.h"

namespace kiv::platform {

std::optional<std::string> LongPathName(const std::string& path) {
  struct stat info {};
  if (sys::LinkStat(path.c_str(), &info) != 0)
    return std::nullopt;
  return path;
}

std::optional<std::string> EntryLongName(const std::string& path) {
  struct stat info {};
  if (path.empty() || path.back() == '/' || sys::LinkStat(path.c_str(), &info) != 0)
    return std::nullopt;
  return path.substr(path.rfind('/') + 1);
}

std::optional<std::string> ShortPathName(const std::string& path) {
  return LongPathName(path);
}

} // namespace kiv::platform
