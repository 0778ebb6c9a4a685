#include "bench/ScratchFiles.h"

#include "bench/GeneralForm.h"
#include "bench/ModelFileGenerator.h"
#include "survey/ParameterNames.h"

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

namespace {

// Every field of the shape, so that shapes of other model types or codes get files of their own.
std::string Name(const ModelShape& shape, const std::string& form) {
  return std::to_string(shape.models) + "x" + std::to_string(shape.layers) + "-lci" +
         std::to_string(shape.lci) + "-" + survey::LayerParamsText(shape.modelType) + "-" +
         survey::ExtraParamsText(shape.modelType) + "-code" + std::to_string(shape.typeCode) +
         form + (shape.sparse ? ".mo2" : ".mod");
}

} // namespace

const std::string& ScratchFiles::File(const ModelShape& shape) {
  const std::string name = Name(shape, "");
  auto [entry, added] = files_.try_emplace(name, Path(name));
  if (added)
    GenerateModelFile(entry->second, shape, 1);
  return entry->second;
}

const std::string& ScratchFiles::GeneralFormFile(const ModelShape& shape) {
  const std::string name = Name(shape, "-general");
  auto [entry, added] = files_.try_emplace(name, Path(name));
  if (added)
    RewriteInGeneralForm(File(shape), entry->second);
  return entry->second;
}

ScratchFiles& Scratch() {
  static ScratchFiles files;
  return files;
}

} // namespace kiv::bench
