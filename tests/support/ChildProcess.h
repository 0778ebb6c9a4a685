#pragma once

#include <string>
#include <vector>

namespace kiv::test {

struct ChildResult {
  int exitCode = -1; // -1 when the child did not exit normally
  std::string standardOutput;
  std::string standardError;
};

// Runs program with arguments in workingDir (the current folder when empty) and waits for it.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDir = {});

} // namespace kiv::test
