#include "platform/testing/ChildProcess.h"

#include "platform/posix/ErrnoError.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace kiv::platform::testing {
namespace {

// A descriptor closed with its holder.
class Descriptor {
public:
  Descriptor() = default;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  int Get() const { return fd_; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  // Hands the descriptor over to a new holder.
  int Release() { return std::exchange(fd_, -1); }
  void Close() {
    if (fd_ >= 0)
      ::close(fd_);
    fd_ = -1;
  }

private:
  int fd_ = -1;
};

// A pipe whose ends this process's other children never inherit.
struct Pipe {
  Descriptor read;
  Descriptor write;
  Pipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
      throw ErrnoError("pipe");
    read.Reset(ends[0]);
    write.Reset(ends[1]);
  }
};

// Starts program with arguments in workingDir; its standard input reads input (empty when -1),
// its standard output writes to output, its standard error to error (this process's when -1).
// posix_spawn rather than fork: a test or benchmark process holding much memory starts its child
// without copying its page tables, and a child that cannot start is a failure here.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments,
            const std::string& workingDir, int input, int output, int error) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  if (input >= 0)
    ::posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
  else
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  ::posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  if (error >= 0)
    ::posix_spawn_file_actions_adddup2(&actions, error, STDERR_FILENO);
  if (!workingDir.empty())
    ::posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
  pid_t pid = 0;
  const int failure = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (failure != 0)
    throw std::system_error(failure, std::generic_category(), "posix_spawn " + program);
  return pid;
}

// The exit code of the ended child, -1 when it did not exit normally.
int WaitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDir) {
  Pipe output;
  Pipe error;
  const pid_t pid =
      Spawn(program, arguments, workingDir, -1, output.write.Get(), error.write.Get());
  output.write.Close();
  error.write.Close();

  ChildResult result;
  // Both streams at once, so that a child filling one pipe never waits on the other.
  pollfd streams[2] = {{output.read.Get(), POLLIN, 0}, {error.read.Get(), POLLIN, 0}};
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
      } else if (n == 0 || errno != EINTR) {
        streams[i].fd = -1;
        --open;
      }
    }
  }
  result.exitCode = WaitFor(pid);
  return result;
}

struct ChildProcess::Parts {
  pid_t pid = -1;
  int exitCode = -1;
  Descriptor input;
  Descriptor output;
  std::string pending; // read from the output, not yet handed out as a line
  bool ended = false;
};

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& workingDir)
    : parts_(std::make_unique<Parts>()) {
  Pipe input;
  Pipe output;
  parts_->pid = Spawn(program, arguments, workingDir, input.read.Get(), output.write.Get(), -1);
  parts_->input.Reset(input.write.Release());
  parts_->output.Reset(output.read.Release());
}

ChildProcess::~ChildProcess() {
  Stop();
}

ChildProcess::LineStatus ChildProcess::ReadLine(std::string& line,
                                                std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + timeout;
  Parts& parts = *parts_;
  for (;;) {
    const size_t end = parts.pending.find('\n');
    if (end != std::string::npos) {
      line = parts.pending.substr(0, end > 0 && parts.pending[end - 1] == '\r' ? end - 1 : end);
      parts.pending.erase(0, end + 1);
      return LineStatus::Read;
    }
    if (parts.ended) {
      if (parts.pending.empty())
        return LineStatus::Ended;
      line = std::exchange(parts.pending, {});
      return LineStatus::Read;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd wanted{parts.output.Get(), POLLIN, 0};
    const int ready = left > 0 ? ::poll(&wanted, 1, static_cast<int>(left)) : 0;
    if (ready == 0)
      return LineStatus::TimedOut;
    if (ready < 0)
      continue;
    char buffer[4096];
    const ssize_t n = ::read(parts.output.Get(), buffer, sizeof buffer);
    if (n > 0)
      parts.pending.append(buffer, static_cast<size_t>(n));
    else if (n == 0 || errno != EINTR)
      parts.ended = true;
  }
}

void ChildProcess::CloseInput() {
  parts_->input.Close();
}

int ChildProcess::Wait() {
  if (parts_->pid > 0)
    parts_->exitCode = WaitFor(std::exchange(parts_->pid, -1));
  return parts_->exitCode;
}

void ChildProcess::Stop() noexcept {
  if (parts_->pid > 0)
    ::kill(parts_->pid, SIGTERM);
  Wait();
  parts_->input.Close();
  parts_->output.Close();
}

} // namespace kiv::platform::testing
