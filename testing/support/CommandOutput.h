#pragma once

// What a shell command prints, for tests that compare the platform's answers with the system's
// own commands (POSIX only).

#include "platform/testing/ChildProcess.h"

#include <string>

namespace kiv::test {

// Everything a shell command prints on its standard output.
inline std::string CommandOutput(const std::string& command) {
  return platform::testing::RunChild("/bin/sh", {"-c", command}).standardOutput;
}

// The first line a shell command prints, without its line end.
inline std::string CommandLine(const std::string& command) {
  std::string line = CommandOutput(command);
  line = line.substr(0, line.find('\n'));
  if (!line.empty() && line.back() == '\r')
    line.pop_back();
  return line;
}

} // namespace kiv::test
