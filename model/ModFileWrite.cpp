// Writing a model file: the header, then one block per model in the general layout of a model
// type (SaveGeneral) or in the older layout that each model's type code decides (Save).
#include "core/ColumnWriter.h"
#include "core/FileNames.h"
#include "core/NumberFormat.h"
#include "model/LayerParams_.h"
#include "model/ModFile_.h"
#include "platform/FileSystem.h"

#include <cmath>
#include <optional>

namespace kiv {

struct TModFile::WriteFormats {
  PictureFormat column;      // every column but the ones below
  PictureFormat firstColumn; // the value column of layer lines
  PictureFormat oneDecimal{"0.0"};
  PictureFormat twoDecimals{"0.00"};
};

namespace {

// The file number of a factor: the factor minus 1, or the sentinel when it means no constraint.
// A factor that is not a number means no constraint too, so that no file is written unreadable.
double FileNumber(float factor, double noConstraint) {
  return std::isnan(factor) || factor > 98 ? noConstraint : static_cast<double>(factor) - 1.0;
}

double FactorOrNone(float factor) {
  return std::isnan(factor) ? 99.0 : factor;
}

float FirstValueOrNone(const TODVLayerParamCon& constraint) {
  return constraint.Values.empty() ? 99.0f : constraint.Values.front();
}

// Extra-parameter lines of the older layout, by the model's type code.
std::vector<TODVPoSet_Types> OlderLayoutExtras(std::int32_t modelType) {
  switch (modelType) {
  case 5:
  case 501:
    return {GGG_AIR_THK};
  case 6:
    return {GGG_AIR_THK, GGG_PITCH};
  case 8:
    return {GGG_AIR_THK, GGG_RX_ANGLE, GGG_TXRX_DIST, GGG_PITCH, GGG_ROLL};
  case 51:
    return {GGG_AIR_THK, GGG_SHIFT};
  case 52:
    return {GGG_AIR_THK, GGG_BIAS};
  default:
    return {};
  }
}

std::vector<TODVPoSet_Types> ExtrasOf(const TVesmarInvModelType& modelType) {
  std::vector<TODVPoSet_Types> extras;
  for (const TExtraParam& extra : modelType.ExtraParams)
    extras.push_back(extra.ParamType);
  return extras;
}

// Layer-parameter blocks of the older layout: the name in its messages and the types it writes.
struct OlderLayoutBlock {
  const char* name;
  TODVLayerParam_Types priVal;
  TODVLayerParam_Types priStd;
  TODVLayerParamCon_Types vert;
  TODVLayerParamCon_Types lat;
};

std::vector<OlderLayoutBlock> OlderLayoutBlocks(std::int32_t modelType) {
  switch (modelType) {
  case 11:
  case 12:
    return {{"Chargeability", ltChargeabilityPriVal, ltChargeabilityPriStdD,
             ltChargeabilityVertStdD, ltChargeabilityLatStdD},
            {"Tau", ltTauPriVal, ltTauPriStdD, ltTauVertStdD, ltTauLatStdD},
            {"C", ltCPriVal, ltCPriStdD, ltCVertStdD, ltCLatStdD}};
  case 116:
  case 126:
    return {{"Phi", ltPHIPriVal, ltPHIPriStdD, ltPHIVertStdD, ltPHILatStdD}};
  default:
    return {};
  }
}

// Where a layer parameter's four entries stand in a layer's arrays; -1 when missing.
struct ParamPositions {
  std::int32_t priVal = -1;
  std::int32_t priStd = -1;
  std::int32_t vert = -1;
  std::int32_t lat = -1;
};

template <class Layer>
ParamPositions Locate(const Layer& layer, TODVLayerParam_Types priVal, TODVLayerParam_Types priStd,
                      TODVLayerParamCon_Types vert, TODVLayerParamCon_Types lat) {
  ParamPositions at;
  LocateLayerParam(at.priVal, priVal, layer.LayerParams);
  LocateLayerParam(at.priStd, priStd, layer.LayerParams);
  LocateLayerParamCon(at.vert, vert, layer.LayerParamCons);
  LocateLayerParamCon(at.lat, lat, layer.LayerParamCons);
  return at;
}

// The entries of a layer parameter of the general layout in the model's first layer, checked in
// this order; a missing lateral or vertical entry may be allowed, then its position is -1.
template <class Layer>
ParamPositions LocateGeneral(const Layer& first, const TODVLayerParamSet& set, bool lateralMayLack,
                             bool verticalMayLack) {
  const ParamPositions at = Locate(first, set.PriVal, set.PriStd, set.VertStdD, set.LatStdD);
  if (at.priVal < 0)
    throw EPelo("Error - PriVal not found in model. Please report this error.");
  if (at.priStd < 0)
    throw EPelo("Error - PriStdD not found in model. Please report this error.");
  if (at.lat < 0 && !lateralMayLack)
    throw EPelo("Error - LatStdD not found in model. Please report this error.");
  if (at.vert < 0 && !verticalMayLack)
    throw EPelo("Error - VertStdD not found in model. Please report this error");
  return at;
}

template <class T> const T& At(const std::vector<T>& items, std::int32_t position) {
  return items.at(static_cast<size_t>(position));
}

void CheckPriorValue(float value, const std::string& longText, size_t layer) {
  if (value <= 0)
    throw EPelo("Start " + longText + " <= 0 is not allowed (" + FloatToStr(value) + " for layer " +
                std::to_string(layer + 1) + ")! Please report this error");
}

template <class Model> void CheckPosition(const Model& model) {
  if (model.UTMX == 0 && model.UTMY == 0 && model.Elevation == 0)
    throw EPFatal("Error in TModFile.WriteModel. UTMX=0, UTMY=0 and Elevation=0.");
}

template <class Model> std::int32_t FirstModelWithoutLayers(const std::vector<Model>& models) {
  for (size_t i = 0; i < models.size(); ++i)
    if (models[i].Layers.empty())
      return static_cast<std::int32_t>(i + 1);
  return 0;
}

} // namespace

void TModFile::SaveGeneral(const TVesmarInvModelType& iInvModelType,
                           bool iModifyLatConstraints0Values) {
  SaveFile(&iInvModelType, iModifyLatConstraints0Values);
}

void TModFile::Save(bool iModifyLatConstraints0Values) {
  SaveFile(nullptr, iModifyLatConstraints0Values);
}

void TModFile::SaveFile(const TVesmarInvModelType* iInvModelType,
                        bool iModifyLatConstraints0Values) {
  const std::int32_t models = NumberOfModels();
  if (FModelFormat == ModelFormatRegular) {
    DetermineLCIMode(FitLateralConstraints(iModifyLatConstraints0Values));
  } else if (iInvModelType != nullptr) {
    FLCIMode = FIsLCI ? (models == 1 ? 1 : 2) : models;
  } else {
    FLCIMode = models;
  }
  ColFormat = FUseExpFormat ? FExpFormat : FLinFormat;

  const std::string folder = ExtractFilePath(FFileName);
  if (!platform::DirectoryExists(folder))
    throw EPelo("Directory does not exist: " + folder);
  const std::int32_t withoutLayers = FModelFormat == ModelFormatSparse
                                         ? FirstModelWithoutLayers(FSparseModels)
                                         : FirstModelWithoutLayers(FModels);
  if (FModelFormat != ModelFormatNotSet && withoutLayers != 0)
    throw EPelo("Model " + std::to_string(withoutLayers) + " has no layers and cannot be written");

  const bool twoDecimalValues =
      !FModels.empty() && (FModels.front().ModelType == 2 || FModels.front().ModelType == 12);
  const WriteFormats formats{PictureFormat(ColFormat),
                             PictureFormat(twoDecimalValues ? F2DFormat : ColFormat)};

  const auto savingFailed = [&] { return "Error saving file: " + FFileName; };
  std::optional<platform::ReplacingFile> file;
  GuardReplacing(savingFailed, [&] { file.emplace(FFileName); });
  ColumnWriter out(*file, static_cast<size_t>(std::max(FColWidth, 0)));
  WriteHeader(out);
  if (FModelFormat == ModelFormatSparse) {
    for (size_t i = 0; i < FSparseModels.size(); ++i) {
      if (iInvModelType != nullptr)
        WriteSparseModelGeneral(out, formats, FSparseModels[i], *iInvModelType,
                                i + 1 == FSparseModels.size());
      else
        WriteModel(out, formats, FSparseModels[i]);
    }
  } else if (FModelFormat == ModelFormatRegular) {
    for (const TModel& model : FModels) {
      if (iInvModelType != nullptr)
        WriteModelGeneral(out, formats, model, *iInvModelType);
      else
        WriteModel(out, formats, model);
    }
  }
  GuardReplacing(savingFailed, [&] {
    out.Flush();
    file->Commit();
  });
}

void TModFile::WriteHeader(ColumnWriter& out) {
  const auto savingFailed = [&] { return "Error saving file: " + FFileName; };
  GuardReplacing(savingFailed, [&] {
    auto forEachModel = [&](auto&& visit) {
      if (FModelFormat == ModelFormatSparse)
        for (size_t i = 0; i < FSparseModels.size(); ++i)
          visit(i + 1, FSparseModels[i].ModelType, FSparseModels[i].DataFiles);
      else if (FModelFormat == ModelFormatRegular)
        for (size_t i = 0; i < FModels.size(); ++i)
          visit(i + 1, FModels[i].ModelType, FModels[i].DataFiles);
    };
    out.Text(FCommentLine);
    out.EndLine();
    size_t dataFiles = 0;
    forEachModel([&](size_t, std::int32_t, const std::vector<std::string>& files) {
      dataFiles += files.size();
    });
    out.Text(std::to_string(dataFiles) + " ");
    if (FEnableSharp) {
      out.Text(std::to_string(FLCIMode) + " " + std::to_string(FUseSharpApriori) + " " +
               FloatToStr(FSharpVertical) + " " + FloatToStr(FSharpHorizontal) + " ");
    } else {
      out.Text(std::to_string(FLCIMode));
      if (FSmoothInvType == 0)
        out.Text(" -1.00 1.00 1.00 3");
    }
    out.EndLine();
    forEachModel([&](size_t number, std::int32_t type, const std::vector<std::string>& files) {
      for (const std::string& name : files) {
        out.Text(std::to_string(number) + " " + std::to_string(type) + " " + ExtractFileName(name));
        out.EndLine();
      }
    });
    out.Text(std::to_string(FMaxIterations));
    out.EndLine();
  });
}

void TModFile::WriteValueColumns(ColumnWriter& out, const WriteFormats& formats, float value,
                                 float factor, float vertical, bool writeVertical,
                                 double noConstraint) {
  out.Number(value, formats.firstColumn);
  out.Number(FileNumber(factor, -1), formats.column);
  if (writeVertical)
    out.Number(FileNumber(vertical, noConstraint), formats.column);
  else
    out.BlankColumn();
}

void TModFile::WriteLine(ColumnWriter& out, const WriteFormats& formats, float value, float factor,
                         float vertical, bool writeVertical, const TArrayOfSingle& lateral) {
  const auto writingFailed = [&] { return "Error writing file: " + FFileName; };
  GuardReplacing(writingFailed, [&] {
    WriteValueColumns(out, formats, value, factor, vertical, writeVertical, 100000);
    for (float lateralFactor : lateral)
      out.Number(FileNumber(lateralFactor, 100000), formats.column);
    out.EndLine();
  });
}

void TModFile::WriteSparseLine(ColumnWriter& out, const WriteFormats& formats, float value,
                               float factor, float vertical, bool writeVertical,
                               const TArrayOfSingle& values, const TArrayOfInteger& indices) {
  GuardEscalating(ClassName(), "WriteSparseLine", [&] {
    if (values.size() != indices.size())
      throw EPelo("Length of index and constraint arrays do not match.");
    WriteValueColumns(out, formats, value, factor, vertical, writeVertical, -1);
    out.Integer(static_cast<std::int64_t>(indices.size()));
    for (std::int32_t index : indices)
      out.Integer(index);
    for (float lateralFactor : values)
      out.Number(FileNumber(lateralFactor, -1), formats.column);
    out.EndLine();
  });
}

void TModFile::WriteExtraParam(ColumnWriter& out, const WriteFormats& formats, const TModel& model,
                               TODVPoSet_Types type) {
  GuardEscalating(ClassName(), "WriteExtraParam", [&] {
    const TExtraParamGroup<TModel>* group = FindExtraParamGroup<TModel>(type);
    if (group == nullptr)
      return;
    out.Number(model.*group->Apri, formats.column);
    out.Number(FactorOrNone(model.*group->ApriSTD) - 1.0, formats.column);
    const TArrayOfSingle& lateral = model.*group->LatSTDs;
    if (!lateral.empty()) {
      out.BlankColumn();
      // Only the altitude marks a missing lateral constraint; the others write every factor.
      for (float factor : lateral)
        out.Number(type == GGG_AIR_THK ? FileNumber(factor, 100000) : FactorOrNone(factor) - 1.0,
                   formats.column);
    }
    out.EndLine();
  });
}

template <class Model>
void TModFile::WriteModelLineAndExtras(ColumnWriter& out, const WriteFormats& formats,
                                       const Model& model,
                                       const std::vector<TODVPoSet_Types>& extras) {
  out.Integer(static_cast<std::int64_t>(model.Layers.size()));
  out.Number(model.UTMX, formats.oneDecimal);
  out.Number(model.UTMY, formats.oneDecimal);
  out.Number(model.Elevation, formats.twoDecimals);
  out.EndLine();
  for (TODVPoSet_Types type : extras) {
    if constexpr (std::is_same_v<Model, TModel>) {
      WriteExtraParam(out, formats, model, type);
    } else {
      if (const TExtraParamGroup<TSparseModel>* group = FindExtraParamGroup<TSparseModel>(type)) {
        const TSparseVector& lateral = model.*group->LatSTDs;
        WriteSparseLine(out, formats, model.*group->Apri, model.*group->ApriSTD, 0, false,
                        lateral.Values, lateral.Indices);
      }
    }
  }
}

template <class Layer>
void TModFile::WriteThicknessAndDepth(ColumnWriter& out, const WriteFormats& formats,
                                      const std::vector<Layer>& layers) {
  if (layers.size() < 2)
    return;
  const size_t lines = layers.size() - 1;
  for (size_t k = 0; k < lines; ++k) {
    const Layer& l = layers[k];
    const bool vertical = FLCIMode > 0 && k + 1 < lines;
    if constexpr (std::is_same_v<Layer, TLayer>)
      WriteLine(out, formats, l.ThkStart, l.ThkApriSTD, l.ThkVert, vertical, l.ThkLat);
    else
      WriteSparseLine(out, formats, l.ThkStart, l.ThkApriSTD, l.ThkVert, vertical, l.ThkLat.Values,
                      l.ThkLat.Indices);
  }
  for (size_t k = 0; k < lines; ++k) {
    const Layer& l = layers[k];
    if constexpr (std::is_same_v<Layer, TLayer>)
      WriteLine(out, formats, l.DepStart, l.DepApriSTD, 0, false, l.DepLat);
    else
      WriteSparseLine(out, formats, l.DepStart, l.DepApriSTD, 0, false, l.DepLat.Values,
                      l.DepLat.Indices);
  }
}

void TModFile::WriteModelGeneral(ColumnWriter& out, const WriteFormats& formats,
                                 const TModel& model, const TVesmarInvModelType& modelType) {
  GuardEscalating(ClassName(), "WriteModelGeneral", [&] {
    WriteModelLineAndExtras(out, formats, model, ExtrasOf(modelType));
    const size_t last = model.Layers.size() - 1;
    for (size_t k = 0; k < model.Layers.size(); ++k) {
      const TLayer& l = model.Layers[k];
      if (l.ResStart <= 0)
        throw EPelo("Start res <= 0 is not allowed (" + FloatToStr(l.ResStart) + " for layer " +
                    std::to_string(k + 1) + ")! Please report this error");
      WriteLine(out, formats, l.ResStart, l.ResApriSTD, l.ResVert, FLCIMode > 0 && k < last,
                l.ResLat);
    }
    for (const TLayerParam& param : modelType.LayerParams) {
      if (param.ParamType == ltRes)
        continue;
      const TODVLayerParamSet set = FAllLayerParamSets->GetParamSet(param.ParamType);
      const ParamPositions at = LocateGeneral(model.Layers.front(), set, false, false);
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        const TLayer& l = model.Layers[k];
        const float value = At(l.LayerParams, at.priVal).Value;
        CheckPriorValue(value, set.LongText, k);
        WriteLine(out, formats, value, At(l.LayerParams, at.priStd).Value,
                  FirstValueOrNone(At(l.LayerParamCons, at.vert)), FLCIMode > 0 && k < last,
                  At(l.LayerParamCons, at.lat).Values);
      }
    }
    WriteThicknessAndDepth(out, formats, model.Layers);
  });
}

void TModFile::WriteSparseModelGeneral(ColumnWriter& out, const WriteFormats& formats,
                                       const TSparseModel& model,
                                       const TVesmarInvModelType& modelType, bool lastModel) {
  GuardWrapping(ClassName(), "WriteSparseModelGeneral", [&] {
    CheckPosition(model);
    WriteModelLineAndExtras(out, formats, model, ExtrasOf(modelType));
    const size_t last = model.Layers.size() - 1;
    for (size_t k = 0; k < model.Layers.size(); ++k) {
      const TSparseLayer& l = model.Layers[k];
      WriteSparseLine(out, formats, l.ResStart, l.ResApriSTD, l.ResVert, FLCIMode > 0 && k < last,
                      l.ResLat.Values, l.ResLat.Indices);
    }
    const TODVLayerParamCon noConstraint{};
    for (const TLayerParam& param : modelType.LayerParams) {
      if (param.ParamType == ltRes)
        continue;
      const TODVLayerParamSet set = FAllLayerParamSets->GetParamSet(param.ParamType);
      // The last model has no neighbours, so it may lack the lateral entry; a missing vertical
      // entry means no constraint.
      const ParamPositions at = LocateGeneral(model.Layers.front(), set, lastModel, true);
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        const TSparseLayer& l = model.Layers[k];
        const float value = At(l.LayerParams, at.priVal).Value;
        CheckPriorValue(value, set.LongText, k);
        const TODVLayerParamCon& lateral = at.lat < 0 ? noConstraint : At(l.LayerParamCons, at.lat);
        const float vertical =
            at.vert < 0 ? 99.0f : FirstValueOrNone(At(l.LayerParamCons, at.vert));
        WriteSparseLine(out, formats, value, At(l.LayerParams, at.priStd).Value, vertical,
                        FLCIMode > 0 && k < last, lateral.Values, lateral.Indices);
      }
    }
    WriteThicknessAndDepth(out, formats, model.Layers);
  });
}

void TModFile::WriteModel(ColumnWriter& out, const WriteFormats& formats, const TModel& model) {
  GuardWrapping(ClassName(), "WriteModel", [&] {
    WriteModelLineAndExtras(out, formats, model, OlderLayoutExtras(model.ModelType));
    const size_t last = model.Layers.size() - 1;
    for (size_t k = 0; k < model.Layers.size(); ++k) {
      const TLayer& l = model.Layers[k];
      WriteLine(out, formats, l.ResStart, l.ResApriSTD, l.ResVert, FLCIMode > 0 && k < last,
                l.ResLat);
    }
    for (const OlderLayoutBlock& block : OlderLayoutBlocks(model.ModelType)) {
      const ParamPositions at =
          Locate(model.Layers.front(), block.priVal, block.priStd, block.vert, block.lat);
      const std::string name = block.name;
      if (at.priVal < 0)
        throw EPelo(name + " start model parameter not found in TModFile.WriteModel");
      if (at.priStd < 0)
        throw EPelo(name + " apri std parameter not found in TModFile.WriteModel");
      if (at.vert < 0)
        throw EPelo(name + " vertical STD parameter not found in TModFile.WriteModel");
      if (at.lat < 0)
        throw EPelo(name + " lateral std parameter not found in TModFile.WriteModel");
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        const TLayer& l = model.Layers[k];
        WriteLine(out, formats, At(l.LayerParams, at.priVal).Value,
                  At(l.LayerParams, at.priStd).Value,
                  FirstValueOrNone(At(l.LayerParamCons, at.vert)), FLCIMode > 0 && k < last,
                  At(l.LayerParamCons, at.lat).Values);
      }
    }
    WriteThicknessAndDepth(out, formats, model.Layers);
  });
}

void TModFile::WriteModel(ColumnWriter& out, const WriteFormats& formats,
                          const TSparseModel& model) {
  GuardWrapping(ClassName(), "WriteModel", [&] {
    CheckPosition(model);
    WriteModelLineAndExtras(out, formats, model, OlderLayoutExtras(model.ModelType));
    const size_t last = model.Layers.size() - 1;
    for (size_t k = 0; k < model.Layers.size(); ++k) {
      const TSparseLayer& l = model.Layers[k];
      WriteSparseLine(out, formats, l.ResStart, l.ResApriSTD, l.ResVert, FLCIMode > 0 && k < last,
                      l.ResLat.Values, l.ResLat.Indices);
    }
    WriteThicknessAndDepth(out, formats, model.Layers);
  });
}

} // namespace kiv
