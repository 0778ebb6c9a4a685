#pragma once

// Child processes for tests: a program of the build started with arguments, its exit code and
// what it wrote to its standard output and error.

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

} // namespace kiv::platform::testing
