#pragma once

#include <cstdio>
#include <string>

namespace kiv::test {

// Everything a shell command prints on its standard output.
inline std::string CommandOutput(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr)
    return output;
  char buffer[4096];
  while (const size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
    output.append(buffer, n);
  pclose(pipe);
  return output;
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
