// Editing a model file's models and settings, the conversion of its regular models to the sparse
// style, and the steps that prepare regular models for saving.
#include "core/FileNames.h"
#include "model/LayerParams_.h"
#include "model/PeloCode_.h"
#include "model/detail/ModFileInternals.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

namespace kiv {
namespace {

// Vertical constraints count for the constraint mode below this bound, a little lower than the
// one that makes a lateral factor active.
constexpr double kVerticalNoConstraintBound = 98.9;

bool IsActiveVertical(float factor) {
  const double value = factor;
  return value > 1.0 && value < kVerticalNoConstraintBound;
}

// SetModel's own handler: the EPelo family passes unchanged, any other failure becomes an EPFatal
// that asks to be reported.
template <class Body> void GuardSetModel(Body&& body) {
  try {
    body();
  } catch (const EPelo&) {
    throw;
  } catch (const std::exception& e) {
    throw EPFatal(std::string("Error in procedure TModFile.SetModel:\n\r") + e.what() +
                  "\n\rPlease report this problem.");
  }
}

void DenseToSparse(const TArrayOfSingle& dense, TSparseVector& sparse) {
  ClearSparseVector(sparse);
  for (size_t k = 0; k < dense.size(); ++k)
    AddToSparseVector(dense[k], static_cast<std::int32_t>(k + 1), sparse);
  TrimSparseVector(sparse);
}

// Visits every dense lateral array of a model, the layers' and the model's own seven.
template <class Model, class Visit> void ForEachLateralArray(Model& model, Visit visit) {
  for (auto& layer : model.Layers) {
    visit(layer.ResLat);
    visit(layer.ThkLat);
    visit(layer.DepLat);
  }
  for (const TExtraParamGroup<TModel>& group : ExtraParamGroups<TModel>)
    visit(model.*group.LatSTDs);
}

// The shortest and the longest of a model's dense lateral arrays.
struct LateralLengths {
  size_t least = SIZE_MAX;
  size_t most = 0;
};

LateralLengths LengthsOf(const TModel& model) {
  LateralLengths lengths;
  ForEachLateralArray(model, [&](const TArrayOfSingle& factors) {
    lengths.least = std::min(lengths.least, factors.size());
    lengths.most = std::max(lengths.most, factors.size());
  });
  return lengths;
}

// Every dense lateral array of a model set to length entries: shortened from the end, lengthened
// with zeros.
void ResizeLateralArrays(TModel& model, size_t length) {
  ForEachLateralArray(model, [&](TArrayOfSingle& factors) { factors.resize(length); });
}

// The steps of SwitchToSparseFormat.
void ConvertExtraParam(std::string_view className, const TModel& iModel, TSparseModel& oSparseModel,
                       TODVPoSet_Types iParamType) {
  GuardEscalating(className, "ConvertExtraParam", [&] {
    const TExtraParamGroup<TModel>* from = FindExtraParamGroup<TModel>(iParamType);
    if (from == nullptr)
      return;
    const TExtraParamGroup<TSparseModel>& to = *FindExtraParamGroup<TSparseModel>(iParamType);
    oSparseModel.*to.Value = iModel.*from->Value;
    oSparseModel.*to.STD = iModel.*from->STD;
    oSparseModel.*to.Apri = iModel.*from->Apri;
    oSparseModel.*to.ApriSTD = iModel.*from->ApriSTD;
    DenseToSparse(iModel.*from->LatSTDs, oSparseModel.*to.LatSTDs);
  });
}

TSparseLayer ConvertLayerToSparse(std::string_view className, const TLayer& iLayer) {
  return GuardEscalating(className, "ConvertLayerToSparse", [&] {
    TSparseLayer sparse;
    sparse.Res = iLayer.Res;
    sparse.ResStart = iLayer.ResStart;
    sparse.ResApriSTD = iLayer.ResApriSTD;
    sparse.ResSTDCoup = iLayer.ResSTDCoup;
    sparse.ResSTDUncoup = iLayer.ResSTDUncoup;
    sparse.ResVert = iLayer.ResVert;
    DenseToSparse(iLayer.ResLat, sparse.ResLat);
    sparse.Thk = iLayer.Thk;
    sparse.ThkStart = iLayer.ThkStart;
    sparse.ThkApriSTD = iLayer.ThkApriSTD;
    sparse.ThkSTDCoup = iLayer.ThkSTDCoup;
    sparse.ThkSTDUncoup = iLayer.ThkSTDUncoup;
    sparse.ThkVert = iLayer.ThkVert;
    DenseToSparse(iLayer.ThkLat, sparse.ThkLat);
    sparse.Dep = iLayer.Dep;
    sparse.DepStart = iLayer.DepStart;
    sparse.DepApriSTD = iLayer.DepApriSTD;
    sparse.DepSTDCoup = iLayer.DepSTDCoup;
    sparse.DepSTDUncoup = iLayer.DepSTDUncoup;
    DenseToSparse(iLayer.DepLat, sparse.DepLat);
    sparse.Prod = iLayer.Prod;
    sparse.ProdSTD = iLayer.ProdSTD;
    sparse.Coef = iLayer.Coef;
    sparse.CoefSTD = iLayer.CoefSTD;
    sparse.LayerParams = CopyLayerParams(iLayer.LayerParams);
    sparse.LayerParamCons = CopyLayerParams(iLayer.LayerParamCons);
    // The sparse style names each neighbour: the dense entries are the next models in order.
    for (TODVLayerParamCon& constraint : sparse.LayerParamCons) {
      constraint.Indices.resize(constraint.Values.size());
      std::iota(constraint.Indices.begin(), constraint.Indices.end(), 1);
    }
    return sparse;
  });
}

TSparseModel ConvertModelToSparse(std::string_view className, const TModel& iModel,
                                  const TVesmarInvModelType& iInvModelType) {
  return GuardEscalating(className, "ConvertModelToSparse", [&] {
    TSparseModel sparse;
    sparse.Title = iModel.Title;
    sparse.ModelType = iModel.ModelType;
    sparse.DataFiles = iModel.DataFiles;
    sparse.Layers.reserve(iModel.Layers.size());
    for (const TLayer& layer : iModel.Layers)
      sparse.Layers.push_back(ConvertLayerToSparse(className, layer));
    sparse.UTMX = iModel.UTMX;
    sparse.UTMY = iModel.UTMY;
    sparse.Elevation = iModel.Elevation;
    for (const TExtraParam& extra : iInvModelType.ExtraParams)
      ConvertExtraParam(className, iModel, sparse, extra.ParamType);
    return sparse;
  });
}

} // namespace

void TModFile::SetModel(std::int32_t ModelNumber, const TModel& iModel) {
  GuardSetModel([&] {
    if (ModelNumber < 1 || ModelNumber > static_cast<std::int64_t>(FModels.size()))
      throw EPelo("Invalid model number in TModFile.SetModel");
    TModel copy = iModel;
    FModels[static_cast<size_t>(ModelNumber - 1)] = std::move(copy);
  });
}

void TModFile::SetSparseModel(std::int32_t ModelNumber, const TSparseModel& iModel) {
  GuardEscalating(ClassName(), "SetSparseModel", [&] {
    if (ModelNumber < 1 || ModelNumber > static_cast<std::int64_t>(FSparseModels.size()))
      throw EPelo("Invalid model number in TModFile.SetSparseModel");
    TSparseModel copy = iModel;
    FSparseModels[static_cast<size_t>(ModelNumber - 1)] = std::move(copy);
  });
}

void TModFile::SetIsSparse(bool value) {
  GuardEscalating(ClassName(), "SetIsSparse",
                  [&] { FModelFormat = value ? ModelFormatSparse : ModelFormatRegular; });
}

void TModFile::CopyProperties(TModFile& TargetModFile) const {
  GuardEscalating(ClassName(), "CopyProperties", [&] {
    TargetModFile.FLCIMode = FLCIMode;
    TargetModFile.FMaxIterations = FMaxIterations;
    TargetModFile.SetIsSparse(SparseFormat());
    TargetModFile.FEnableSharp = FEnableSharp;
    TargetModFile.FUseSharpApriori = FUseSharpApriori;
    TargetModFile.FSharpVertical = FSharpVertical;
    TargetModFile.FSharpHorizontal = FSharpHorizontal;
    TargetModFile.FSmoothInvType = FSmoothInvType;
    TargetModFile.FIsLCI = FIsLCI;
    TargetModFile.FExpFormat = FExpFormat;
    TargetModFile.FLinFormat = FLinFormat;
    TargetModFile.F2DFormat = F2DFormat;
    TargetModFile.FUseExpFormat = FUseExpFormat;
    TargetModFile.FColWidth = FColWidth;
    TargetModFile.ColFormat = ColFormat;
    // Last, so that the target ends with exactly this format, "not set" included.
    TargetModFile.FModelFormat = FModelFormat;
  });
}

void TModFile::SwitchToSparseFormat(const TVesmarInvModelType& iInvModelType) {
  GuardEscalating(ClassName(), "CopyFromModelToSparseModel", [&] {
    // A sparse object holds no regular models to convert: converting would lose its sparse ones.
    if (FModelFormat == ModelFormatSparse)
      return;
    std::vector<TSparseModel> sparseModels;
    sparseModels.reserve(FModels.size());
    for (const TModel& model : FModels)
      sparseModels.push_back(ConvertModelToSparse(ClassName(), model, iInvModelType));
    std::string fileName = ChangeFileExt(FFileName, ".mo2");
    // Nothing below can fail: the object changes only once everything has been converted.
    FSparseModels.swap(sparseModels);
    FModelFormat = ModelFormatSparse;
    FFileName.swap(fileName);
  });
}

std::optional<std::int32_t>
TModFileInternals::FitLateralConstraints(TModFile& file, bool iModifyLatConstraints0Values) {
  if (file.FModelFormat != ModelFormatRegular)
    return std::nullopt;
  std::vector<TModel>& models = file.FModels;
  if (!ModelsHaveCoupling(models)) {
    for (TModel& model : models)
      ResizeLateralArrays(model, 0);
    return 0;
  }
  // One pass over the models finds the width and the lengths the arrays have; only models whose
  // lengths differ from their fitted ones are visited again. A save thus reads the models once
  // before writing them, which on models too large for the caches is most of its preparation.
  std::int32_t widest = 0;
  std::vector<LateralLengths> lengths;
  lengths.reserve(models.size());
  for (const TModel& model : models) {
    widest = std::max(widest, MaxLateralWidth(std::span(&model, 1)));
    lengths.push_back(LengthsOf(model));
  }
  const auto width = static_cast<size_t>(widest);
  bool changed = false;
  for (size_t i = 0; i < models.size(); ++i) {
    // The last models have fewer models after them to be tied to.
    const size_t length = std::min(width, models.size() - 1 - i);
    if (lengths[i].least != length || lengths[i].most != length) {
      ResizeLateralArrays(models[i], length);
      changed = true;
    }
    // Factors below 1 become 99: both are inactive, so the width stays.
    if (iModifyLatConstraints0Values)
      SetZeroSmoothFieldsTo99(models[i]);
  }
  if (changed)
    return std::nullopt;
  return widest;
}

void TModFileInternals::DetermineLCIMode(TModFile& file, std::optional<std::int32_t> fittedWidth) {
  const std::vector<TModel>& models = file.FModels;
  const bool vertical = std::any_of(models.begin(), models.end(), [](const TModel& model) {
    return std::any_of(model.Layers.begin(), model.Layers.end(), [](const TLayer& layer) {
      return IsActiveVertical(layer.ResVert) || IsActiveVertical(layer.ThkVert);
    });
  });
  const std::int32_t width = fittedWidth ? *fittedWidth : MaxLateralWidth(models);
  file.FLCIMode = vertical || width > 0 ? width + 1 : 0;
}

} // namespace kiv
