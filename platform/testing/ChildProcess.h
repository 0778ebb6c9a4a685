#pragma once

// Child processes for tests and benchmarks: a program run to its end with what it wrote to its
// standard output and error, or a program started with pipes to its standard input and from its
// standard output that the caller reads line by line and stops.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace kiv::platform::testing {

struct ChildResult {
  int exitCode = -1; // -1 when the child did not exit normally
  std::string standardOutput;
  std::string standardError;
};

// How a child's text lines end on its standard streams: Windows programs write text mode, where
// the C runtime turns "\n" into CR LF.
#ifdef _WIN32
inline const std::string kStreamLineEnd = "\r\n";
#else
inline const std::string kStreamLineEnd = "\n";
#endif

// Runs program with arguments (on Windows on a command line quoted as the C runtime splits it) in
// workingDir (the current folder when empty), its standard input empty, and waits for it. Throws
// std::system_error when it cannot be started. Tests and benchmarks run their children with it.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDir = {});

// A child started with a pipe to its standard input and one from its standard output; its
// standard error is this process's. A server that a test talks to: it reports on its output,
// and it ends when its input closes or when it is stopped.
class ChildProcess {
public:
  // Starts program with arguments as RunChild does. Throws std::system_error when it cannot be
  // started.
  ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& workingDir = {});
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Stops the child.
  ~ChildProcess();

  enum class LineStatus { Read, Ended, TimedOut };

  // Reads the next line of the child's output into line, without its end ("\n" or "\r\n"):
  // Read; Ended when the output ends first (a last line without its end is still Read);
  // TimedOut when no whole line comes within timeout.
  LineStatus ReadLine(std::string& line, std::chrono::milliseconds timeout);
  // Closes the child's standard input: the child reads its end.
  void CloseInput();
  // Waits for the child to end and gives its exit code (-1 when it did not exit normally, as
  // when it was stopped).
  int Wait();
  // Ends the child unless it has ended (SIGTERM; TerminateProcess on Windows), waits for it and
  // closes both pipes.
  void Stop() noexcept;

private:
  struct Parts; // the system's handles of the child and of its pipes
  std::unique_ptr<Parts> parts_;
};

} // namespace kiv::platform::testing
