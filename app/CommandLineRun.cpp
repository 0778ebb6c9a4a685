#include "app/CommandLineRun.h"

#include "app/ModelCheck.h"
#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "core/FormatSettings.h"
#include "core/TextFile.h"
#include "platform/FileSystem.h"

#include <array>
#include <exception>
#include <string_view>

namespace kiv {
namespace {

constexpr int kExitSuccess = 100;
constexpr int kExitFailure = 101;

constexpr std::array<std::string_view, 6> kVoxelExtensions = {".da2", ".vox", ".rip",
                                                              ".rap", ".rup", ".vtl"};

void WriteRunLog(const RunState& run) {
  WriteTextFile(run.logPath, run.log);
}

// Every existing voxel file is logged; the last one found wins.
bool FindVoxelFile(RunState& run, std::string& voxelPath) {
  bool found = false;
  voxelPath.clear();
  try {
    for (std::string_view extension : kVoxelExtensions) {
      std::string path = ChangeFileExt(run.runFile, extension);
      if (platform::RegularFileExists(path)) {
        run.log.push_back(std::string(extension) + " file found: " + path +
                          " - going to voxel mode");
        voxelPath = std::move(path);
        found = true;
      }
    }
  } catch (const std::exception&) {
    found = false;
    try {
      WriteRunLog(run);
    } catch (const std::exception&) {
      // The run writes its log again at the end and reports a failure there.
    }
  }
  return found;
}

void DiscoverRunFiles(RunState& run, const std::string& argument) {
  run.runFile = argument;
  run.runFolder = ExtractFilePath(run.runFile);
  run.logPath = ChangeFileExt(run.runFile, "_VIC.log");

  run.modelPath = ChangeFileExt(run.runFile, ".mod");
  if (platform::RegularFileExists(run.modelPath)) {
    run.log.push_back("Mod file found: " + run.modelPath);
    return;
  }
  run.modelPath = ChangeFileExt(run.runFile, ".mo2");
  if (platform::RegularFileExists(run.modelPath)) {
    run.log.push_back("Mo2 file found: " + run.modelPath);
    return;
  }
  run.log.push_back("Neither .mod nor .mo2 file found in " + run.runFolder);
  if (!FindVoxelFile(run, run.voxelFile)) {
    std::string message =
        "No voxel files (.da2, .vox, .rip, .rap, .rup, .vtl) found in " + run.runFolder;
    run.log.push_back(message);
    throw EVesmarInv(message);
  }
  run.voxelMode = true;
}

void ReadInput(RunState& run, const std::vector<std::string>& arguments) {
  try {
    if (arguments.size() != 1)
      throw EVesmarInv("Wrong number of input parameters");
    DiscoverRunFiles(run, arguments.front());
  } catch (...) {
    throw EVesmarInv("Error reading input parameters for VesmarInvChk.exe",
                     std::current_exception());
  }
}

} // namespace

int RunVesmarInvChk(const std::vector<std::string>& arguments, std::ostream& diagnostics) {
  SetRunFormats();
  if (arguments.empty()) {
    diagnostics << "Usage: VesmarInvChk <run file>\n";
    return kExitFailure;
  }

  RunState run;
  int exitCode = kExitSuccess;
  try {
    ReadInput(run, arguments);
    run.log.push_back("Path: " + run.runFolder);
    if (!run.voxelMode)
      RunModelCheck(run.log, run.modelPath);
  } catch (const std::exception&) {
    exitCode = kExitFailure;
  }

  if (!run.logPath.empty()) {
    try {
      WriteRunLog(run);
    } catch (const std::exception& failure) {
      diagnostics << "VesmarInvChk: cannot write the run log: " << failure.what() << '\n';
      exitCode = kExitFailure;
    }
  }
  return exitCode;
}

} // namespace kiv
