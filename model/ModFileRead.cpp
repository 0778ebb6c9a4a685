// Reading a model file: the header, then one block per model in the regular or sparse style.
#include "core/DelimitedText.h"
#include "core/FileNames.h"
#include "core/NumberParse.h"
#include "core/TextScanner.h"
#include "model/ModFile_.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>

namespace kiv {
namespace {

// Claims the memory for count items read from the file, which fails for a negative count or
// one that the file's size cannot justify.
void CheckCount(std::int64_t count, std::uint64_t bytesEach, TextScanner& scanner,
                const char* what) {
  if (count < 0)
    throw std::length_error("Invalid " + std::string(what) + ": " + std::to_string(count));
  if (!scanner.Claim(static_cast<std::uint64_t>(count), bytesEach))
    throw std::length_error("Invalid " + std::string(what) + ": " + std::to_string(count) +
                            " cannot be held by the rest of the file");
}

// A factor is the file's number plus 1; out-of-range numbers mean "no prior or constraint", 99.
float RegularFactor(double number) {
  return number < 0 || number > 99 ? 99.0f : static_cast<float>(number + 1);
}
float SparseFactor(double number) {
  return number < 0 || number > 98 ? 99.0f : static_cast<float>(number + 1);
}
float ExtraParamFactor(double number) {
  return NarrowToSingle(number + 1);
}

std::int32_t ParseIntegerField(const std::string& field) {
  std::int32_t value = 0;
  if (!ParseInteger(field, value))
    throw InvalidNumericInput();
  return value;
}

float ParseSingleField(const std::string& field) {
  double value = 0;
  if (!ParseReal(field, value))
    throw InvalidNumericInput();
  return NarrowToSingle(value);
}

// Each model is tied laterally to at most L - 1 following models.
std::int32_t LateralCount(std::int32_t lciMode, size_t modelIndex, size_t modelCount) {
  if (lciMode <= 0)
    return 0;
  const std::int64_t following = static_cast<std::int64_t>(modelCount - 1 - modelIndex);
  return static_cast<std::int32_t>(std::min<std::int64_t>(lciMode - 1, following));
}

// The catalogue's parameter sets of the model type's layer parameters, resistivity left out.
std::vector<TODVLayerParamSet> FurtherParamSets(const TVesmarInvModelType& modelType,
                                                const TAllLayerParamSets& catalogue) {
  std::vector<TODVLayerParamSet> sets;
  for (const TLayerParam& param : modelType.LayerParams)
    if (param.ParamType != ltRes)
      sets.push_back(catalogue.GetParamSet(param.ParamType));
  return sets;
}

} // namespace

void TModFile::Open(const std::string& FileName, bool iHeaderOnly,
                    const TVesmarInvModelType* iInvModelType) {
  ReadModelFile(FileName, ByteSource::File(FileName), iHeaderOnly, iInvModelType);
}

void TModFile::OpenFromMemory(const std::string& FileName, std::string_view Bytes, bool iHeaderOnly,
                              const TVesmarInvModelType* iInvModelType) {
  ReadModelFile(FileName, ByteSource::Memory(Bytes), iHeaderOnly, iInvModelType);
}

void TModFile::ReadModelFile(const std::string& FileName, const ByteSource& source,
                             bool iHeaderOnly, const TVesmarInvModelType* iInvModelType) {
  if (!iHeaderOnly && iInvModelType == nullptr)
    throw EPelo("A model type is needed to read the models of " + FileName);
  const std::unique_ptr<TextScanner> scanner = OpenHeader(FileName, source, true);
  if (iHeaderOnly)
    return;

  // Looked up by the first model block, inside its handler, and shared by the others.
  std::optional<std::vector<TODVLayerParamSet>> furtherSets;
  if (FModelFormat == ModelFormatSparse) {
    for (size_t i = 0; i < FSparseModels.size(); ++i)
      ReadSparseModelGeneral(*scanner, FSparseModels[i], *iInvModelType, furtherSets);
  } else {
    for (size_t i = 0; i < FModels.size(); ++i)
      ReadModelGeneral(*scanner, FModels[i], LateralCount(FLCIMode, i, FModels.size()),
                       *iInvModelType, furtherSets);
  }
}

void TModFile::CheckHeader(const std::string& FileName) {
  TModFile(Unnamed{}).OpenHeader(FileName, ByteSource::File(FileName), false);
}

std::unique_ptr<TextScanner> TModFile::OpenHeader(const std::string& FileName,
                                                  const ByteSource& source, bool keepDataFiles) {
  FModels.clear();
  FSparseModels.clear();
  FFileName.clear();
  FCommentLine.clear();
  FLCIMode = 0;
  FMaxIterations = 0;

  FFileName = FileName;
  std::unique_ptr<TextScanner> scanner =
      GuardReplacing([&] { return "Error opening model file: " + FileName; },
                     [&] { return std::make_unique<TextScanner>(source); });
  FModelFormat = platform::AsciiUpperCase(ExtractFileExt(FFileName)) == ".MO2" ? ModelFormatSparse
                                                                               : ModelFormatRegular;
  ReadHeader(*scanner, keepDataFiles);
  return scanner;
}

void TModFile::ReadHeader(TextScanner& scanner, bool keepDataFiles) {
  const auto readingFailed = [&] {
    return "Error reading file: " + FFileName + " in ModFile.ReadHeader";
  };
  GuardReplacing(readingFailed, [&] {
    FCommentLine = scanner.ReadLine();
    const std::vector<std::string> fields = SplitDelimitedText(scanner.ReadLine());
    FEnableSharp = false;
    FUseSharpApriori = -1;
    FSharpVertical = -1;
    FSharpHorizontal = -1;
    if (fields.size() < 2)
      throw std::invalid_argument("The settings line needs at least two fields");
    const std::int32_t dataFileLines = ParseIntegerField(fields[0]);
    const std::int32_t lciMode = ParseIntegerField(fields[1]);
    if (lciMode < 0)
      throw std::invalid_argument("Negative lateral constraint mode");
    FLCIMode = lciMode;
    FIsLCI = FLCIMode <= 2;
    if (fields.size() == 5) {
      FEnableSharp = true;
      FUseSharpApriori = ParseIntegerField(fields[2]);
      FSharpVertical = ParseSingleField(fields[3]);
      FSharpHorizontal = ParseSingleField(fields[4]);
    } else if (fields.size() == 6) {
      FSmoothInvType = 0;
    }
    if (!keepDataFiles)
      SkipDataFileLines(scanner, dataFileLines);
    else if (FModelFormat == ModelFormatSparse)
      ReadDataFileLines(scanner, dataFileLines, FSparseModels);
    else
      ReadDataFileLines(scanner, dataFileLines, FModels);
    FMaxIterations = scanner.ReadInteger();
    scanner.SkipLine();
  });
}

// Lines are grouped into models by their model numbers: a number equal to the previous line's
// (1 before the first line) adds to the current model, any other starts a new one.
template <class Model>
void TModFile::ReadDataFileLines(TextScanner& scanner, std::int32_t lineCount,
                                 std::vector<Model>& models) {
  CheckCount(std::max(lineCount, 0), sizeof(Model) + sizeof(std::string), scanner,
             "number of data-file lines");
  models.assign(1, Model{});
  std::int32_t previousNumber = 1;
  for (std::int32_t line = 0; line < lineCount; ++line) {
    const std::int32_t modelNumber = scanner.ReadInteger();
    const std::int32_t modelType = scanner.ReadInteger();
    std::string name = scanner.ReadTrimmedRestOfLine();
    if (modelNumber != previousNumber)
      models.emplace_back();
    models.back().DataFiles.push_back(std::move(name));
    models.back().ModelType = modelType;
    previousNumber = modelNumber;
  }
}

// The same lines read and checked alike, with the same bound on their count, and nothing kept.
void TModFile::SkipDataFileLines(TextScanner& scanner, std::int32_t lineCount) {
  const size_t modelSize =
      FModelFormat == ModelFormatSparse ? sizeof(TSparseModel) : sizeof(TModel);
  CheckCount(std::max(lineCount, 0), modelSize + sizeof(std::string), scanner,
             "number of data-file lines");
  // Once the file has ended, every further line reads as zeros and cannot fail.
  for (std::int32_t line = 0; line < lineCount; ++line) {
    line += scanner.SkipLinesOfTwoIntegers(lineCount - line);
    if (line == lineCount || scanner.AtEnd())
      break;
    scanner.ReadInteger();
    scanner.ReadInteger();
    scanner.SkipLine();
  }
}

template <class Layer>
Layer TModFile::LayerTemplate(const TVesmarInvModelType& modelType, size_t lateralCount,
                              std::optional<std::vector<TODVLayerParamSet>>& furtherSets) const {
  if (!furtherSets)
    furtherSets = FurtherParamSets(modelType, *FAllLayerParamSets);
  Layer layer{};
  for (const TODVLayerParamSet& set : *furtherSets) {
    layer.LayerParams.push_back({set.PriVal, 0});
    layer.LayerParams.push_back({set.PriStd, 0});
    layer.LayerParamCons.push_back({set.VertStdD, TArrayOfSingle(1), {}});
    layer.LayerParamCons.push_back({set.LatStdD, TArrayOfSingle(lateralCount), {}});
  }
  return layer;
}

void TModFile::ReadModelGeneral(TextScanner& scanner, TModel& model, std::int32_t lateralCount,
                                const TVesmarInvModelType& modelType,
                                std::optional<std::vector<TODVLayerParamSet>>& furtherSets) {
  GuardEscalating(ClassName(), "ReadModelGeneral", [&] {
    const std::int32_t layerCount = scanner.ReadInteger();
    model.UTMX = scanner.ReadReal();
    model.UTMY = scanner.ReadReal();
    model.Elevation = scanner.ReadSingle();
    scanner.SkipLine();

    const size_t lateral = static_cast<size_t>(lateralCount);
    TLayer layer = LayerTemplate<TLayer>(modelType, lateral, furtherSets);
    layer.ResLat.resize(lateral);
    layer.ThkLat.resize(lateral);
    layer.DepLat.resize(lateral);
    const size_t further = layer.LayerParams.size() / 2;
    const std::uint64_t layerBytes =
        sizeof(TLayer) + (3 + further) * lateral * sizeof(float) +
        further * (2 * sizeof(TODVLayerParam) + 2 * sizeof(TODVLayerParamCon) + sizeof(float));
    CheckCount(layerCount, layerBytes, scanner, "number of layers");
    model.Layers.assign(static_cast<size_t>(layerCount), layer);

    for (const TExtraParam& extra : modelType.ExtraParams)
      ReadExtraParam(scanner, model, extra.ParamType, lateralCount);

    // Vertical constraints stand in the file only when lateral ones can.
    const bool vertical = FLCIMode > 0;
    const size_t last = model.Layers.size() - 1;
    for (size_t k = 0; k < model.Layers.size(); ++k) {
      TLayer& l = model.Layers[k];
      ReadLine(scanner, l.ResStart, l.ResApriSTD, vertical && k < last ? &l.ResVert : nullptr,
               l.ResLat);
    }
    for (size_t p = 0; p < further; ++p) {
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        TLayer& l = model.Layers[k];
        ReadLine(scanner, l.LayerParams[2 * p].Value, l.LayerParams[2 * p + 1].Value,
                 vertical && k < last ? &l.LayerParamCons[2 * p].Values[0] : nullptr,
                 l.LayerParamCons[2 * p + 1].Values);
      }
    }
    if (model.Layers.size() > 1) {
      for (size_t k = 0; k < last; ++k) {
        TLayer& l = model.Layers[k];
        ReadLine(scanner, l.ThkStart, l.ThkApriSTD, vertical && k + 1 < last ? &l.ThkVert : nullptr,
                 l.ThkLat);
      }
      for (size_t k = 0; k < last; ++k) {
        TLayer& l = model.Layers[k];
        ReadLine(scanner, l.DepStart, l.DepApriSTD, nullptr, l.DepLat);
      }
    }
  });
}

// A sparse line lists its own neighbours, so no array is sized by the constraint mode. That
// mode is the number of models when the file is not laterally constrained: arrays as long as the
// possible neighbours would take memory that grows with the square of the models, and write
// back as empty neighbour entries on every save.
void TModFile::ReadSparseModelGeneral(TextScanner& scanner, TSparseModel& model,
                                      const TVesmarInvModelType& modelType,
                                      std::optional<std::vector<TODVLayerParamSet>>& furtherSets) {
  GuardEscalating(ClassName(), "ReadSparseModelGeneral", [&] {
    const std::int32_t layerCount = scanner.ReadInteger();
    model.UTMX = scanner.ReadReal();
    model.UTMY = scanner.ReadReal();
    model.Elevation = scanner.ReadSingle();
    scanner.SkipLine();

    const TSparseLayer layer = LayerTemplate<TSparseLayer>(modelType, 0, furtherSets);
    const size_t further = layer.LayerParams.size() / 2;
    CheckCount(layerCount,
               sizeof(TSparseLayer) + further * (2 * sizeof(TODVLayerParam) +
                                                 2 * sizeof(TODVLayerParamCon) + sizeof(float)),
               scanner, "number of layers");
    model.Layers.assign(static_cast<size_t>(layerCount), layer);

    for (const TExtraParam& extra : modelType.ExtraParams)
      ReadSparseExtraParam(scanner, model, extra.ParamType);

    const bool vertical = FLCIMode > 0;
    const size_t last = model.Layers.size() - 1;
    auto readVector = [&](float& value, float& factor, float* verticalFactor, TSparseVector& v) {
      v.NumValues = ReadSparseLine(scanner, value, factor, verticalFactor, v.Indices, v.Values);
    };
    for (size_t k = 0; k < model.Layers.size(); ++k) {
      TSparseLayer& l = model.Layers[k];
      readVector(l.ResStart, l.ResApriSTD, vertical && k < last ? &l.ResVert : nullptr, l.ResLat);
    }
    for (size_t p = 0; p < further; ++p) {
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        TSparseLayer& l = model.Layers[k];
        TODVLayerParamCon& lateralCon = l.LayerParamCons[2 * p + 1];
        ReadSparseLine(scanner, l.LayerParams[2 * p].Value, l.LayerParams[2 * p + 1].Value,
                       vertical && k < last ? &l.LayerParamCons[2 * p].Values[0] : nullptr,
                       lateralCon.Indices, lateralCon.Values);
      }
    }
    if (model.Layers.size() > 1) {
      for (size_t k = 0; k < last; ++k) {
        TSparseLayer& l = model.Layers[k];
        readVector(l.ThkStart, l.ThkApriSTD, vertical && k + 1 < last ? &l.ThkVert : nullptr,
                   l.ThkLat);
      }
      for (size_t k = 0; k < last; ++k) {
        TSparseLayer& l = model.Layers[k];
        readVector(l.DepStart, l.DepApriSTD, nullptr, l.DepLat);
      }
    }
  });
}

void TModFile::ReadExtraParam(TextScanner& scanner, TModel& model, TODVPoSet_Types type,
                              std::int32_t lateralCount) {
  GuardEscalating(ClassName(), "ReadExtraParam", [&] {
    const TExtraParamGroup<TModel>* group = FindExtraParamGroup<TModel>(type);
    if (group == nullptr)
      throw EPelo("Unknown extra parameter! Please report this error!");
    model.*group->Apri = scanner.ReadSingle();
    model.*group->ApriSTD = ExtraParamFactor(scanner.ReadReal());
    CheckCount(lateralCount, sizeof(float), scanner, "number of neighbours");
    TArrayOfSingle& lateral = model.*group->LatSTDs;
    lateral.resize(static_cast<size_t>(lateralCount));
    for (float& factor : lateral)
      factor = ExtraParamFactor(scanner.ReadReal());
    scanner.SkipLine();
  });
}

void TModFile::ReadSparseExtraParam(TextScanner& scanner, TSparseModel& model,
                                    TODVPoSet_Types type) {
  GuardEscalating(ClassName(), "ReadSparseExtraParam", [&] {
    const TExtraParamGroup<TSparseModel>* group = FindExtraParamGroup<TSparseModel>(type);
    if (group == nullptr)
      throw EPelo("Unknown extra parameter! Please report this error!");
    TSparseVector& lateral = model.*group->LatSTDs;
    lateral.NumValues = ReadSparseLine(scanner, model.*group->Apri, model.*group->ApriSTD, nullptr,
                                       lateral.Indices, lateral.Values);
  });
}

void TModFile::ReadLine(TextScanner& scanner, float& value, float& factor, float* vertical,
                        TArrayOfSingle& lateral) {
  const auto readingFailed = [&] {
    return "Error reading file: " + FFileName + " in TModfile.ReadLine";
  };
  GuardReplacing(readingFailed, [&] {
    value = scanner.ReadSingle();
    factor = RegularFactor(scanner.ReadReal());
    if (vertical != nullptr)
      *vertical = RegularFactor(scanner.ReadReal());
    for (float& lateralFactor : lateral)
      lateralFactor = RegularFactor(scanner.ReadReal());
    scanner.SkipLine();
  });
}

// Fills indices and values with the line's M entries. Returns M.
std::int32_t TModFile::ReadSparseLine(TextScanner& scanner, float& value, float& factor,
                                      float* vertical, TArrayOfInteger& indices,
                                      TArrayOfSingle& values) {
  return GuardEscalating(ClassName(), "ReadSparseLine", [&] {
    value = scanner.ReadSingle();
    factor = SparseFactor(scanner.ReadReal());
    if (vertical != nullptr)
      *vertical = SparseFactor(scanner.ReadReal());
    const std::int32_t count = scanner.ReadInteger();
    CheckCount(count, sizeof(float) + sizeof(std::int32_t), scanner, "number of neighbours");
    const size_t entries = static_cast<size_t>(count);
    indices.assign(entries, 0);
    values.assign(entries, 0.0f);
    for (size_t i = 0; i < entries; ++i)
      indices[i] = scanner.ReadInteger();
    for (size_t i = 0; i < entries; ++i)
      values[i] = SparseFactor(scanner.ReadReal());
    scanner.SkipLine();
    return count;
  });
}

} // namespace kiv
