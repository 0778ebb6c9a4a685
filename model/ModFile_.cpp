#include "model/ModFile_.h"

#include "core/FileNames.h"
#include "core/NumberFormat.h"
#include "core/RunningProgram.h"

namespace kiv {
namespace {

template <class Model>
void InsertModel(std::vector<Model>& models, const Model& model, std::int32_t modelNumber) {
  if (modelNumber < 1 || modelNumber > static_cast<std::int64_t>(models.size()) + 1)
    throw EPelo("Invalid model number");
  models.insert(models.begin() + (modelNumber - 1), model);
}

template <class Model>
const Model& ModelAt(const std::vector<Model>& models, std::int32_t modelNumber) {
  if (modelNumber < 1 || modelNumber > static_cast<std::int64_t>(models.size()))
    throw EPelo("Invalid model number");
  return models[static_cast<size_t>(modelNumber - 1)];
}

// The picture as given, once the writer's formatter has accepted it; the formatter's reason
// stays behind the failure.
std::string UsablePicture(std::string picture, const char* property) {
  GuardReplacing(
      [&] { return std::string("Invalid number format for ") + property + ": " + picture; },
      [&] { PictureFormat{picture}; });
  return picture;
}

template <class Model>
void AppendDataFileNames(const std::vector<Model>& models, std::vector<std::string>& names) {
  for (const Model& model : models)
    names.insert(names.end(), model.DataFiles.begin(), model.DataFiles.end());
}

} // namespace

TModFile::TModFile(Unnamed) {
  InitFormats();
  FLCIMode = 0;
  FMaxIterations = 50;
}

// A program whose path the system cannot tell leaves the name empty.
TModFile::TModFile() : TModFile(Unnamed{}) {
  FCommentLine =
      "Model file created by " + ChangeFileExt(ExtractFileName(RunningProgramPath()), "");
}

TModFile::TModFile(const std::string& FileName, const TVesmarInvModelType& iInvModelType) {
  InitFormats();
  Open(FileName, false, &iInvModelType);
}

TModFile::TModFile(const std::string& FileName, bool HeaderOnly) {
  InitFormats();
  Open(FileName, HeaderOnly, nullptr);
}

void TModFile::InitFormats() {
  GuardEscalating(ClassName(), "InitFormats", [&] {
    FColWidth = 12;
    FExpFormat = "0.0000e+00";
    FLinFormat = "#####0.000";
    F2DFormat = "######0.00";
    FUseExpFormat = true;
    FAllLayerParamSets.emplace();
    FSmoothInvType = 1;
    FIsLCI = false;
  });
}

void TModFile::SetExpFormat(std::string value) {
  FExpFormat = UsablePicture(std::move(value), "ExpFormat");
}

void TModFile::SetLinFormat(std::string value) {
  FLinFormat = UsablePicture(std::move(value), "LinFormat");
}

void TModFile::AddModel(const TModel& Model, std::int32_t ModelNumber) {
  if (FModelFormat == ModelFormatSparse)
    throw EPelo(
        "Cannot add regular style models to a model file, once sparse models have been added.");
  InsertModel(FModels, Model, ModelNumber);
  FModelFormat = ModelFormatRegular;
}

void TModFile::AddSparseModel(const TSparseModel& Model, std::int32_t ModelNumber) {
  if (FModelFormat == ModelFormatRegular)
    throw EPelo(
        "Cannot add sparse style models to a model file, once regular models have been added.");
  InsertModel(FSparseModels, Model, ModelNumber);
  FModelFormat = ModelFormatSparse;
}

void TModFile::AddDatafile(const std::string& DatafileName, std::int32_t ModelNumber) {
  if (ModelNumber < 1 || ModelNumber > static_cast<std::int64_t>(NumberOfModels()) + 1)
    throw EPelo("Invalid model number");
  if (FModelFormat == ModelFormatNotSet)
    throw EPelo("No model type set.");
  if (ModelNumber > NumberOfModels())
    throw EPelo("Invalid model number");
  const size_t index = static_cast<size_t>(ModelNumber - 1);
  if (FModelFormat == ModelFormatSparse)
    FSparseModels[index].DataFiles.push_back(DatafileName);
  else
    FModels[index].DataFiles.push_back(DatafileName);
}

std::int32_t TModFile::NumberOfModels() const {
  switch (FModelFormat) {
  case ModelFormatRegular:
    return static_cast<std::int32_t>(FModels.size());
  case ModelFormatSparse:
    return static_cast<std::int32_t>(FSparseModels.size());
  default:
    return 0;
  }
}

TModel TModFile::GetModel(std::int32_t ModelNumber) const {
  return GuardEscalating(ClassName(), "GetModel", [&] { return ModelAt(FModels, ModelNumber); });
}

TSparseModel TModFile::GetSparseModel(std::int32_t ModelNumber) const {
  return GuardEscalating(ClassName(), "GetSparseModel",
                         [&] { return ModelAt(FSparseModels, ModelNumber); });
}

std::int32_t TModFile::GetNumberOfLayers(std::int32_t ModelNumber) const {
  return GuardEscalating(ClassName(), "GetNumberOfLayers", [&] {
    if (FModelFormat == ModelFormatNotSet)
      throw EPelo("Unknown model format!");
    const size_t layers = FModelFormat == ModelFormatSparse
                              ? ModelAt(FSparseModels, ModelNumber).Layers.size()
                              : ModelAt(FModels, ModelNumber).Layers.size();
    return static_cast<std::int32_t>(layers);
  });
}

std::int32_t TModFile::GetNumberOfDataFiles(std::int32_t iModelNumber) const {
  // Callers pass 0 to NumberOfModels() - 1; anything else is their fault and fails rather than
  // reading outside the list.
  const size_t index = static_cast<size_t>(iModelNumber);
  switch (FModelFormat) {
  case ModelFormatRegular:
    return static_cast<std::int32_t>(FModels.at(index).DataFiles.size());
  case ModelFormatSparse:
    return static_cast<std::int32_t>(FSparseModels.at(index).DataFiles.size());
  default:
    return 0;
  }
}

const std::vector<std::string>& TModFile::GetDataFileNames() {
  return GuardEscalating(ClassName(), "GetDataFileNames", [&]() -> const std::vector<std::string>& {
    if (FModelFormat == ModelFormatNotSet)
      throw EPelo("Unknown model format!");
    FDataFileNames.clear();
    if (FModelFormat == ModelFormatSparse)
      AppendDataFileNames(FSparseModels, FDataFileNames);
    else
      AppendDataFileNames(FModels, FDataFileNames);
    return FDataFileNames;
  });
}

} // namespace kiv
