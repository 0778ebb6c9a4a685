#include "platform/KnownFolders.h"

#include "platform/posix/SystemFiles.h"
#include "platform/posix/SystemText.h"

#include <cstdlib>

namespace kiv::platform {
namespace {

// An environment variable that is set and not empty.
std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0')
    return std::nullopt;
  return std::string(value);
}

std::optional<std::string> ConfigFolder() {
  if (std::optional<std::string> config = Environment("XDG_CONFIG_HOME"))
    return config;
  if (const std::optional<std::string> home = Environment("HOME"))
    return *home + "/.config";
  return std::nullopt;
}

std::optional<std::string> DocumentsFolder() {
  const std::optional<std::string> home = Environment("HOME");
  if (!home)
    return std::nullopt;
  if (const std::optional<std::string> config = ConfigFolder())
    if (const std::optional<std::string> dirs = ReadSystemFile(*config + "/user-dirs.dirs"))
      if (std::optional<std::string> folder = UserDirsValue(*dirs, "XDG_DOCUMENTS_DIR", *home))
        return folder;
  return *home + "/Documents";
}

} // namespace

std::optional<std::string> ShellFolder(int id) {
  switch (id) {
  case kFolderPersonal:
    return DocumentsFolder();
  case kFolderLocalAppData:
    return ConfigFolder();
  case kFolderProgramFiles:
    return "/opt";
  case kFolderSystemX86:
    return "/usr/bin";
  default:
    return std::nullopt;
  }
}

std::string WindowsFolder() {
  return "/usr";
}

std::string SystemFolder() {
  return "/usr/bin";
}

std::string TemporaryFolder() {
  std::string folder = Environment("TMPDIR").value_or("/tmp");
  while (folder.size() > 1 && folder.back() == '/')
    folder.pop_back();
  return folder;
}

} // namespace kiv::platform
