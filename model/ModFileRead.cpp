// Reading a model file: the header, then one block per model in the regular or sparse style.
#include "core/DelimitedText.h"
#include "core/FileNames.h"
#include "core/NumberParse.h"
#include "core/TextScanner.h"
#include "model/detail/ModFileInternals.h"
#include "model/detail/ReadProgressPacer.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

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

// The lines of the regular style: a line's lateral factors fill an array sized beforehand by the
// number of neighbours.
class RegularLines {
public:
  using Model = TModel;
  static constexpr const char* kBlockStep = "ReadModelGeneral";
  static constexpr const char* kExtraStep = "ReadExtraParam";
  static constexpr bool kSizedByNeighbours = true;

  RegularLines(TextScanner& scanner, const TModFile& file)
      : scanner_(scanner), fileName_(file.FileName()) {}

  static void SizeLateral(TLayer& layer, size_t lateral) {
    layer.ResLat.resize(lateral);
    layer.ThkLat.resize(lateral);
    layer.DepLat.resize(lateral);
  }

  // The value, the a-priori factor, the vertical factor when asked for, then as many lateral
  // factors as the array holds.
  void Line(float& value, float& factor, float* vertical, TArrayOfSingle& lateral) {
    const auto readingFailed = [&] {
      return "Error reading file: " + fileName_ + " in TModfile.ReadLine";
    };
    // A local reference stays in a register across the scanner's calls; the member would be
    // loaded again after each of them.
    TextScanner& scanner = scanner_;
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
  void Line(float& value, float& factor, float* vertical, TODVLayerParamCon& lateral) {
    Line(value, factor, vertical, lateral.Values);
  }

  // Extra-parameter lines take every number as a factor and have no vertical one.
  void ExtraLine(TModel& model, const TExtraParamGroup<TModel>& group, std::int32_t lateralCount) {
    model.*group.Apri = scanner_.ReadSingle();
    model.*group.ApriSTD = ExtraParamFactor(scanner_.ReadReal());
    CheckCount(lateralCount, sizeof(float), scanner_, "number of neighbours");
    TArrayOfSingle& lateral = model.*group.LatSTDs;
    lateral.resize(static_cast<size_t>(lateralCount));
    for (float& factor : lateral)
      factor = ExtraParamFactor(scanner_.ReadReal());
    scanner_.SkipLine();
  }

private:
  TextScanner& scanner_;
  const std::string& fileName_;
};

// The lines of the sparse style: a line lists its own neighbours, a count, the indices and the
// factors, so no array is sized by the constraint mode. That mode is the number of models when
// the file is not laterally constrained: arrays as long as the possible neighbours would take
// memory that grows with the square of the models, and write back as empty neighbour entries on
// every save.
class SparseLines {
public:
  using Model = TSparseModel;
  static constexpr const char* kBlockStep = "ReadSparseModelGeneral";
  static constexpr const char* kExtraStep = "ReadSparseExtraParam";
  static constexpr bool kSizedByNeighbours = false;

  SparseLines(TextScanner& scanner, const TModFile& file)
      : scanner_(scanner), className_(file.ClassName()) {}

  static void SizeLateral(TSparseLayer&, size_t) {}

  void Line(float& value, float& factor, float* vertical, TSparseVector& lateral) {
    lateral.NumValues = Read(value, factor, vertical, lateral.Indices, lateral.Values);
  }
  void Line(float& value, float& factor, float* vertical, TODVLayerParamCon& lateral) {
    Read(value, factor, vertical, lateral.Indices, lateral.Values);
  }

  void ExtraLine(TSparseModel& model, const TExtraParamGroup<TSparseModel>& group, std::int32_t) {
    Line(model.*group.Apri, model.*group.ApriSTD, nullptr, model.*group.LatSTDs);
  }

private:
  // Fills indices and values with the line's M entries. Returns M.
  std::int32_t Read(float& value, float& factor, float* vertical, TArrayOfInteger& indices,
                    TArrayOfSingle& values) {
    TextScanner& scanner = scanner_; // in a register, as in RegularLines::Line
    return GuardEscalating(className_, "ReadSparseLine", [&] {
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

  TextScanner& scanner_;
  std::string_view className_;
};

// Reads the model blocks of one style, in the order both styles share; Lines reads the lines as
// the style writes them.
template <class Lines> class ModelBlockReader {
public:
  using Model = typename Lines::Model;
  using Layer = typename decltype(Model::Layers)::value_type;

  ModelBlockReader(TextScanner& scanner, const TModFile& file, const TVesmarInvModelType& modelType)
      : scanner_(scanner), lines_(scanner, file), className_(file.ClassName()),
        vertical_(file.LCIMode() > 0), modelType_(modelType),
        catalogue_(TModFileInternals::Catalogue(file)) {
    for (const TExtraParam& extra : modelType.ExtraParams)
      extras_.push_back(FindExtraParamGroup<Model>(extra.ParamType));
  }

  // One model block, whose lateral arrays take lateralCount entries where the style sizes them.
  void Read(Model& model, std::int32_t lateralCount) {
    GuardEscalating(className_, Lines::kBlockStep, [&] {
      const std::int32_t layerCount = scanner_.ReadInteger();
      model.UTMX = scanner_.ReadReal();
      model.UTMY = scanner_.ReadReal();
      model.Elevation = scanner_.ReadSingle();
      scanner_.SkipLine();

      const size_t lateral = static_cast<size_t>(lateralCount);
      const Layer& layer = LayerTemplate(lateral);
      const size_t further = layer.LayerParams.size() / 2;
      const std::uint64_t layerBytes =
          sizeof(Layer) + (3 + further) * lateral * sizeof(float) +
          further * (2 * sizeof(TODVLayerParam) + 2 * sizeof(TODVLayerParamCon) + sizeof(float));
      CheckCount(layerCount, layerBytes, scanner_, "number of layers");
      model.Layers.assign(static_cast<size_t>(layerCount), layer);

      for (const TExtraParamGroup<Model>* group : extras_)
        ReadExtraParam(model, group, lateralCount);

      // Vertical constraints stand in the file only when lateral ones can.
      const size_t last = model.Layers.size() - 1;
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        Layer& l = model.Layers[k];
        lines_.Line(l.ResStart, l.ResApriSTD, vertical_ && k < last ? &l.ResVert : nullptr,
                    l.ResLat);
      }
      for (size_t p = 0; p < further; ++p) {
        for (size_t k = 0; k < model.Layers.size(); ++k) {
          Layer& l = model.Layers[k];
          lines_.Line(l.LayerParams[2 * p].Value, l.LayerParams[2 * p + 1].Value,
                      vertical_ && k < last ? &l.LayerParamCons[2 * p].Values[0] : nullptr,
                      l.LayerParamCons[2 * p + 1]);
        }
      }
      if (model.Layers.size() > 1) {
        for (size_t k = 0; k < last; ++k) {
          Layer& l = model.Layers[k];
          lines_.Line(l.ThkStart, l.ThkApriSTD, vertical_ && k + 1 < last ? &l.ThkVert : nullptr,
                      l.ThkLat);
        }
        for (size_t k = 0; k < last; ++k) {
          Layer& l = model.Layers[k];
          lines_.Line(l.DepStart, l.DepApriSTD, nullptr, l.DepLat);
        }
      }
    });
  }

private:
  // The layer that every layer of a block starts as: the typed, empty parameter and constraint
  // entries of the model type, the lateral arrays sized where the style sizes them. The sets are
  // looked up by the first block, inside its handler; the layer is made again only for a block
  // with another number of neighbours, which in a file happens only towards its end.
  const Layer& LayerTemplate(size_t lateralCount) {
    if (template_ && templateLateralCount_ == lateralCount)
      return *template_;
    if (!furtherSets_)
      furtherSets_ = FurtherParamSets(modelType_, catalogue_);
    Layer layer{};
    for (const TODVLayerParamSet& set : *furtherSets_) {
      layer.LayerParams.push_back({set.PriVal, 0});
      layer.LayerParams.push_back({set.PriStd, 0});
      layer.LayerParamCons.push_back({set.VertStdD, TArrayOfSingle(1), {}});
      layer.LayerParamCons.push_back({set.LatStdD, TArrayOfSingle(lateralCount), {}});
    }
    Lines::SizeLateral(layer, lateralCount);
    template_ = std::move(layer);
    templateLateralCount_ = lateralCount;
    return *template_;
  }

  void ReadExtraParam(Model& model, const TExtraParamGroup<Model>* group,
                      std::int32_t lateralCount) {
    GuardEscalating(className_, Lines::kExtraStep, [&] {
      if (group == nullptr)
        throw EPelo("Unknown extra parameter! Please report this error!");
      lines_.ExtraLine(model, *group, lateralCount);
    });
  }

  TextScanner& scanner_;
  Lines lines_;
  std::string_view className_;
  bool vertical_;
  const TVesmarInvModelType& modelType_;
  const TAllLayerParamSets& catalogue_;
  // Per extra parameter of the model type, its group; null for one that models do not carry.
  std::vector<const TExtraParamGroup<Model>*> extras_;
  std::optional<std::vector<TODVLayerParamSet>> furtherSets_;
  std::optional<Layer> template_;
  size_t templateLateralCount_ = 0;
};

// Lines are grouped into models by their model numbers: a number equal to the previous line's
// (1 before the first line) adds to the current model, any other starts a new one.
template <class Model>
void ReadDataFileLines(TextScanner& scanner, std::int32_t lineCount, std::vector<Model>& models) {
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
void SkipDataFileLines(TextScanner& scanner, std::int32_t lineCount, size_t modelSize) {
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

void ReadHeader(TModFile& file, TextScanner& scanner, bool keepDataFiles) {
  const auto readingFailed = [&] {
    return "Error reading file: " + file.FileName() + " in ModFile.ReadHeader";
  };
  GuardReplacing(readingFailed, [&] {
    file.SetCommentLine(scanner.ReadLine());
    const std::vector<std::string> fields = SplitDelimitedText(scanner.ReadLine());
    file.SetEnableSharpInversion(false);
    file.SetUseSharpApriori(-1);
    file.SetSharpVertical(-1);
    file.SetSharpHorizontal(-1);
    if (fields.size() < 2)
      throw std::invalid_argument("The settings line needs at least two fields");
    const std::int32_t dataFileLines = ParseIntegerField(fields[0]);
    const std::int32_t lciMode = ParseIntegerField(fields[1]);
    if (lciMode < 0)
      throw std::invalid_argument("Negative lateral constraint mode");
    file.SetLCIMode(lciMode);
    file.SetIsLCI(lciMode <= 2);
    if (fields.size() == 5) {
      file.SetEnableSharpInversion(true);
      file.SetUseSharpApriori(ParseIntegerField(fields[2]));
      file.SetSharpVertical(ParseSingleField(fields[3]));
      file.SetSharpHorizontal(ParseSingleField(fields[4]));
    } else if (fields.size() == 6) {
      file.SetSmoothInvType(0);
    }
    const bool sparse = file.SparseFormat();
    if (!keepDataFiles)
      SkipDataFileLines(scanner, dataFileLines, sparse ? sizeof(TSparseModel) : sizeof(TModel));
    else if (sparse)
      ReadDataFileLines(scanner, dataFileLines, TModFileInternals::SparseModels(file));
    else
      ReadDataFileLines(scanner, dataFileLines, TModFileInternals::Models(file));
    file.SetMaxIterations(scanner.ReadInteger());
    scanner.SkipLine();
  });
}

// The one place where a failure leaving the read learns the line where the read stopped.
template <class Body> void MarkingLine(const TextScanner& scanner, Body&& body) {
  try {
    body();
  } catch (Exception& failure) {
    if (failure.Line() == 0)
      failure.SetLine(scanner.LineReached());
    throw;
  }
}

// Empties the object, opens the source and reads the header; the scanner stands after it.
std::unique_ptr<TextScanner> OpenHeader(TModFile& file, const std::string& FileName,
                                        const ByteSource& source, bool keepDataFiles) {
  TModFileInternals::Models(file).clear();
  TModFileInternals::SparseModels(file).clear();
  file.SetFileName({});
  file.SetCommentLine({});
  file.SetLCIMode(0);
  file.SetMaxIterations(0);

  file.SetFileName(FileName);
  std::unique_ptr<TextScanner> scanner =
      GuardReplacing([&] { return "Error opening model file: " + FileName; },
                     [&] { return std::make_unique<TextScanner>(source); });
  TModFileInternals::Format(file) = platform::AsciiUpperCase(ExtractFileExt(FileName)) == ".MO2"
                                        ? ModelFormatSparse
                                        : ModelFormatRegular;
  MarkingLine(*scanner, [&] { ReadHeader(file, *scanner, keepDataFiles); });
  return scanner;
}

// Returns false when the progress hook stopped the read.
template <class Lines>
bool ReadModelBlocks(TextScanner& scanner, TModFile& file,
                     std::vector<typename Lines::Model>& models,
                     const TVesmarInvModelType& modelType, const TReadProgressHook& hook) {
  ModelBlockReader<Lines> reader(scanner, file, modelType);
  ReadProgressPacer progress(hook, scanner.Size(), file.ClassName(), Lines::kBlockStep);
  if (!progress.Start())
    return false;
  for (size_t i = 0; i < models.size(); ++i) {
    reader.Read(models[i],
                Lines::kSizedByNeighbours ? LateralCount(file.LCIMode(), i, models.size()) : 0);
    if (!progress.Passed(scanner.BytesConsumed()))
      return false;
  }
  return progress.End();
}

void ReadBlocks(TModFile& file, TextScanner& scanner, const TVesmarInvModelType& modelType,
                const TReadProgressHook& hook) {
  bool completed = true;
  MarkingLine(scanner, [&] {
    if (file.SparseFormat())
      completed = ReadModelBlocks<SparseLines>(scanner, file, TModFileInternals::SparseModels(file),
                                               modelType, hook);
    else
      completed = ReadModelBlocks<RegularLines>(scanner, file, TModFileInternals::Models(file),
                                                modelType, hook);
  });
  // A stop is no fault of the file, so it carries no line; finding the line would also read
  // again all that the stopped read had read.
  if (!completed)
    throw EPelo("Reading cancelled");
}

void ReadModelFile(TModFile& file, const std::string& FileName, const ByteSource& source,
                   bool iHeaderOnly, const TVesmarInvModelType* iInvModelType,
                   const TReadProgressHook& hook) {
  if (!iHeaderOnly && iInvModelType == nullptr)
    throw EPelo("A model type is needed to read the models of " + FileName);
  const std::unique_ptr<TextScanner> scanner = OpenHeader(file, FileName, source, true);
  if (!iHeaderOnly)
    ReadBlocks(file, *scanner, *iInvModelType, hook);
}

} // namespace

void TModFile::Open(const std::string& FileName, bool iHeaderOnly,
                    const TVesmarInvModelType* iInvModelType) {
  Open(FileName, iHeaderOnly, iInvModelType, TReadProgressHook{});
}

void TModFile::Open(const std::string& FileName, bool iHeaderOnly,
                    const TVesmarInvModelType* iInvModelType, const TReadProgressHook& Progress) {
  ReadModelFile(*this, FileName, ByteSource::File(FileName), iHeaderOnly, iInvModelType, Progress);
}

void TModFile::OpenWithHeaderType(const std::string& FileName,
                                  const TModelTypeOfHeader& TypeOfHeader,
                                  const TReadProgressHook& Progress) {
  const std::unique_ptr<TextScanner> scanner =
      OpenHeader(*this, FileName, ByteSource::File(FileName), true);
  ReadBlocks(*this, *scanner, TypeOfHeader(*this, scanner->Ahead()), Progress);
}

void TModFile::OpenFromMemory(const std::string& FileName, std::string_view Bytes, bool iHeaderOnly,
                              const TVesmarInvModelType* iInvModelType) {
  OpenFromMemory(FileName, Bytes, iHeaderOnly, iInvModelType, TReadProgressHook{});
}

void TModFile::OpenFromMemory(const std::string& FileName, std::string_view Bytes, bool iHeaderOnly,
                              const TVesmarInvModelType* iInvModelType,
                              const TReadProgressHook& Progress) {
  ReadModelFile(*this, FileName, ByteSource::Memory(Bytes), iHeaderOnly, iInvModelType, Progress);
}

void TModFile::CheckHeader(const std::string& FileName) {
  TModFile file(Unnamed{});
  OpenHeader(file, FileName, ByteSource::File(FileName), false);
}

} // namespace kiv
