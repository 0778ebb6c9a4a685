#pragma once

#include "bench/BenchModel.h"

#include <cstdint>
#include <map>
#include <string>

namespace kiv::bench {

// Generated model files for the benchmark programs, made on first use in a fresh folder under the
// system's temporary folder and removed with it.
class ScratchFiles {
public:
  ScratchFiles();
  ScratchFiles(const ScratchFiles&) = delete;
  ScratchFiles& operator=(const ScratchFiles&) = delete;
  ~ScratchFiles();

  // The path of a file of the shape (seed 1), generated the first time it is asked for.
  const std::string& File(const ModelShape& shape);
  // The same file's values in general form (RewriteInGeneralForm), made the first time.
  const std::string& GeneralFormFile(const ModelShape& shape);
  // A path in the folder for a program's own output.
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }

private:
  std::string folder_;
  std::map<std::string, std::string> files_;
};

// The one instance of a program.
ScratchFiles& Scratch();

} // namespace kiv::bench
