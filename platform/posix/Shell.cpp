#include "platform/Shell.h"

#include "platform/posix/SystemCalls.h"
#include "platform/posix/WindowsParameters.h"

#include <sys/wait.h>
#include <vector>

namespace kiv::platform {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return sys::Stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         sys::CheckExecuteAccess(path.c_str()) == 0;
}

bool StartExecutable(const std::string& path, const std::vector<std::string>& parameters) {
  std::vector<std::string> texts = {path};
  texts.insert(texts.end(), parameters.begin(), parameters.end());
  std::vector<char*> arguments;
  for (std::string& text : texts)
    arguments.push_back(text.data());
  arguments.push_back(nullptr);
  return sys::SpawnDetached(path.c_str(), arguments.data()) == 0;
}

} // namespace

bool OpenWithShell(const std::string& target) {
  std::string program = "xdg-open";
  std::string argument = target;
  char* const arguments[] = {program.data(), argument.data(), nullptr};
  int status = 0;
  if (sys::SpawnAndWait(program.c_str(), arguments, &status) != 0)
    return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool StartWithShell(const std::string& target, const std::string& parameters) {
  const std::vector<std::string> arguments = SplitWindowsParameters(parameters);
  if (IsExecutableFile(target))
    return StartExecutable(target, arguments);
  // xdg-open cannot hand parameters on: the document opens all the same, and the result says
  // that the parameters were lost.
  return OpenWithShell(target) && arguments.empty();
}

} // namespace kiv::platform
