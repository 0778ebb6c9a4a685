#include "testing/https/HttpsTestServer.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace kiv::test {
namespace {

constexpr int kStartTimeoutMilliseconds = 30000;

int Spawn(const std::vector<std::string>& arguments, int input, int output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (input >= 0)
    posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
  if (output >= 0)
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  std::vector<char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = -1;
  const int error = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0)
    throw std::system_error(error, std::generic_category(), "posix_spawn " + arguments[0]);
  return child;
}

int WaitFor(int child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The first line that fd gives within the start time-out.
std::string ReadLine(int fd) {
  std::string line;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMilliseconds);
  while (!line.ends_with('\n')) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd wanted{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&wanted, 1, static_cast<int>(left.count())) <= 0)
      throw std::runtime_error("the HTTPS test server did not report its ports");
    char buffer[256];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0)
      throw std::runtime_error("the HTTPS test server ended before it reported its ports");
    line.append(buffer, static_cast<size_t>(n));
  }
  return line;
}

// The ports of a line {"good": 40123, "plain": 40125}.
std::map<std::string, int, std::less<>> ParsePorts(const std::string& line) {
  std::map<std::string, int, std::less<>> ports;
  for (size_t open = line.find('"'); open != std::string::npos; open = line.find('"', open)) {
    const size_t close = line.find('"', open + 1);
    const size_t colon = line.find(':', close);
    ports[line.substr(open + 1, close - open - 1)] = std::stoi(line.substr(colon + 1));
    open = line.find_first_of(",}", colon);
  }
  return ports;
}

} // namespace

void MakeTestCertificates(const std::string& folder) {
  if (WaitFor(Spawn({KIV_MAKE_TEST_CERTIFICATES, folder}, -1, -1)) != 0)
    throw std::runtime_error("make_test_certificates " + folder + " failed");
}

HttpsTestServer::HttpsTestServer(const std::string& root, const std::string& certificates)
    : caFile_(certificates + "/ca.pem") {
  int toServer[2];
  int fromServer[2];
  if (pipe2(toServer, O_CLOEXEC) != 0)
    throw std::system_error(errno, std::generic_category(), "pipe2");
  if (pipe2(fromServer, O_CLOEXEC) != 0) {
    close(toServer[0]);
    close(toServer[1]);
    throw std::system_error(errno, std::generic_category(), "pipe2");
  }
  try {
    processId_ =
        Spawn({KIV_PYTHON, KIV_HTTPS_TEST_SERVER, root, certificates}, toServer[0], fromServer[1]);
  } catch (...) {
    for (int fd : {toServer[0], toServer[1], fromServer[0], fromServer[1]})
      close(fd);
    throw;
  }
  close(toServer[0]);
  close(fromServer[1]);
  input_ = toServer[1];
  try {
    ports_ = ParsePorts(ReadLine(fromServer[0]));
  } catch (...) {
    close(fromServer[0]);
    Stop();
    throw;
  }
  close(fromServer[0]);
}

HttpsTestServer::~HttpsTestServer() {
  Stop();
}

void HttpsTestServer::Stop() noexcept {
  if (processId_ > 0) {
    kill(processId_, SIGTERM);
    WaitFor(processId_);
    processId_ = -1;
  }
  if (input_ >= 0) {
    close(input_);
    input_ = -1;
  }
}

std::string HttpsTestServer::Address(std::string_view listener) const {
  const auto port = ports_.find(listener);
  if (port == ports_.end())
    throw std::invalid_argument("the HTTPS test server has no listener " + std::string(listener));
  return std::string(listener == "plain" ? "http" : "https") +
         "://127.0.0.1:" + std::to_string(port->second) + "/";
}

} // namespace kiv::test
