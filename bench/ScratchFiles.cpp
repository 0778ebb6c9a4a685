#include "bench/ScratchFiles.h"

#include "bench/ModelFileGenerator.h"

#include <filesystem>
#include <unistd.h>

namespace kiv::bench {

ScratchFiles::ScratchFiles() {
  folder_ = (std::filesystem::temp_directory_path() / ("kiv-bench-" + std::to_string(::getpid())))
                .string();
  std::filesystem::create_directories(folder_);
}

ScratchFiles::~ScratchFiles() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

const std::string& ScratchFiles::File(const ModelShape& shape) {
  const std::string name = std::to_string(shape.models) + "x" + std::to_string(shape.layers) +
                           "-lci" + std::to_string(shape.lci) + (shape.sparse ? ".mo2" : ".mod");
  auto [entry, added] = files_.try_emplace(name, Path(name));
  if (added)
    GenerateModelFile(entry->second, shape, 1);
  return entry->second;
}

ScratchFiles& Scratch() {
  static ScratchFiles files;
  return files;
}

} // namespace kiv::bench
