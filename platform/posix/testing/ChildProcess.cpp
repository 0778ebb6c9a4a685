#include "platform/testing/ChildProcess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace kiv::platform::testing {

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDir) {
  int errPipe[2];
  if (::pipe(errPipe) != 0)
    throw std::system_error(errno, std::generic_category(), "pipe");
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0)
    throw std::system_error(errno, std::generic_category(), "fork " + program);
  if (pid == 0) {
    ::dup2(errPipe[1], STDERR_FILENO);
    ::close(errPipe[0]);
    ::close(errPipe[1]);
    int devNull = ::open("/dev/null", O_RDWR);
    ::dup2(devNull, STDIN_FILENO);
    ::dup2(devNull, STDOUT_FILENO);
    if (!workingDir.empty() && ::chdir(workingDir.c_str()) != 0)
      ::_exit(127);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(errPipe[1]);
  ChildResult result;
  char buffer[4096];
  for (ssize_t n; (n = ::read(errPipe[0], buffer, sizeof buffer)) > 0;)
    result.standardError.append(buffer, static_cast<size_t>(n));
  ::close(errPipe[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
  return result;
}

} // namespace kiv::platform::testing
