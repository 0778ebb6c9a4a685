#include "platform/testing/ChildProcess.h"

#include "platform/posix/ErrnoError.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

extern char** environ;

namespace kiv::platform::testing {

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDir) {
  int outPipe[2];
  int errPipe[2];
  if (::pipe2(outPipe, O_CLOEXEC) != 0)
    throw ErrnoError("pipe");
  if (::pipe2(errPipe, O_CLOEXEC) != 0)
    throw ErrnoError("pipe");
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  // posix_spawn rather than fork: a test or benchmark process holding much memory starts its
  // child without copying its page tables, and a child that cannot start is a failure here.
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
  ::posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
  ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (!workingDir.empty())
    ::posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
  pid_t pid = 0;
  const int error = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(outPipe[1]);
  ::close(errPipe[1]);
  if (error != 0) {
    ::close(outPipe[0]);
    ::close(errPipe[0]);
    throw std::system_error(error, std::generic_category(), "posix_spawn " + program);
  }
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
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status))
    result.exitCode = WEXITSTATUS(status);
  return result;
}

} // namespace kiv::platform::testing
