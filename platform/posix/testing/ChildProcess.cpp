#include "platform/testing/ChildProcess.h"

#include "platform/posix/ErrnoError.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace kiv::platform::testing {

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDir) {
  int outPipe[2];
  int errPipe[2];
  if (::pipe(outPipe) != 0)
    throw ErrnoError("pipe");
  if (::pipe(errPipe) != 0)
    throw ErrnoError("pipe");
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  const pid_t pid = ::fork();
  if (pid < 0)
    throw ErrnoError("fork", program);
  if (pid == 0) {
    ::dup2(outPipe[1], STDOUT_FILENO);
    ::dup2(errPipe[1], STDERR_FILENO);
    for (int fd : {outPipe[0], outPipe[1], errPipe[0], errPipe[1]})
      ::close(fd);
    int devNull = ::open("/dev/null", O_RDWR);
    ::dup2(devNull, STDIN_FILENO);
    if (!workingDir.empty() && ::chdir(workingDir.c_str()) != 0)
      ::_exit(127);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  ChildResult result;
  // Both streams at once, so that a child filling one pipe never waits on the other.
  pollfd streams[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* texts[2] = {&result.standardOutput, &result.standardError};
  for (int open = 2; open > 0;) {
    if (::poll(streams, 2, -1) < 0)
      continue;
    for (int i = 0; i < 2; ++i) {
      if (streams[i].fd < 0 || streams[i].revents == 0)
        continue;
      char buffer[4096];
      const ssize_t n = ::read(streams[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        texts[i]->append(buffer, static_cast<size_t>(n));
      } else {
        ::close(streams[i].fd);
        streams[i].fd = -1;
        --open;
      }
    }
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
  return result;
}

} // namespace kiv::platform::testing
