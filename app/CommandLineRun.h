#pragma once

// The command-line run of VesmarInvChk: argument check, discovery of the run's files, run log
// and exit code.

#include <ostream>
#include <string>
#include <vector>

namespace kiv {

// The run's state, held for the whole process.
struct RunState {
  std::vector<std::string> log; // one entry per step, written at the end
  std::string runFile;          // the argument, unchanged
  std::string runFolder;        // its folder with the trailing separator, or empty
  std::string logPath;          // empty until the argument has been accepted
  std::string modelPath;
  bool voxelMode = false;
  std::string voxelFile;
};

// The whole run for the given arguments (without the program name); returns the exit code,
// 100 or 101. Says something on diagnostics only when it was started without an argument or
// the run log could not be written.
int RunVesmarInvChk(const std::vector<std::string>& arguments, std::ostream& diagnostics);

} // namespace kiv
