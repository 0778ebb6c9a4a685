// Writing a model file: the header, then one block per model in the general layout of a model
// type (SaveGeneral) or in the older layout that each model's type code decides (Save).
#include "core/ColumnWriter.h"
#include "core/FileNames.h"
#include "core/NumberFormat.h"
#include "model/LayerParams_.h"
#include "model/detail/ModFileInternals.h"
#include "platform/FileSystem.h"

#include <cmath>
#include <optional>
#include <string_view>

namespace kiv {

namespace {

struct WriteFormats {
  PictureFormat column;      // every column but the ones below
  PictureFormat firstColumn; // the value column of layer lines
  PictureFormat oneDecimal{"0.0"};
  PictureFormat twoDecimals{"0.00"};
};

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

// Writes the model blocks of one file; the file's header is written and its settings fixed
// before it starts.
class ModelFileWriter {
public:
  ModelFileWriter(ColumnWriter& out, const WriteFormats& formats, const TModFile& file)
      : out_(out), formats_(formats), className_(file.ClassName()), fileName_(file.FileName()),
        lciMode_(file.LCIMode()), catalogue_(TModFileInternals::Catalogue(file)) {}

  void WriteModelGeneral(const TModel& model, const TVesmarInvModelType& modelType) {
    GuardEscalating(className_, "WriteModelGeneral", [&] {
      WriteModelLineAndExtras(model, ExtrasOf(modelType));
      const size_t last = model.Layers.size() - 1;
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        const TLayer& l = model.Layers[k];
        if (l.ResStart <= 0)
          throw EPelo("Start res <= 0 is not allowed (" + FloatToStr(l.ResStart) + " for layer " +
                      std::to_string(k + 1) + ")! Please report this error");
        WriteLine(l.ResStart, l.ResApriSTD, l.ResVert, lciMode_ > 0 && k < last, l.ResLat);
      }
      for (const TLayerParam& param : modelType.LayerParams) {
        if (param.ParamType == ltRes)
          continue;
        const TODVLayerParamSet set = catalogue_.GetParamSet(param.ParamType);
        const ParamPositions at = LocateGeneral(model.Layers.front(), set, false, false);
        for (size_t k = 0; k < model.Layers.size(); ++k) {
          const TLayer& l = model.Layers[k];
          const float value = At(l.LayerParams, at.priVal).Value;
          CheckPriorValue(value, set.LongText, k);
          WriteLine(value, At(l.LayerParams, at.priStd).Value,
                    FirstValueOrNone(At(l.LayerParamCons, at.vert)), lciMode_ > 0 && k < last,
                    At(l.LayerParamCons, at.lat).Values);
        }
      }
      WriteThicknessAndDepth(model.Layers);
    });
  }

  void WriteSparseModelGeneral(const TSparseModel& model, const TVesmarInvModelType& modelType,
                               bool lastModel) {
    GuardWrapping(className_, "WriteSparseModelGeneral", [&] {
      CheckPosition(model);
      WriteModelLineAndExtras(model, ExtrasOf(modelType));
      const size_t last = model.Layers.size() - 1;
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        const TSparseLayer& l = model.Layers[k];
        WriteSparseLine(l.ResStart, l.ResApriSTD, l.ResVert, lciMode_ > 0 && k < last,
                        l.ResLat.Values, l.ResLat.Indices);
      }
      const TODVLayerParamCon noConstraint{};
      for (const TLayerParam& param : modelType.LayerParams) {
        if (param.ParamType == ltRes)
          continue;
        const TODVLayerParamSet set = catalogue_.GetParamSet(param.ParamType);
        // The last model has no neighbours, so it may lack the lateral entry; a missing vertical
        // entry means no constraint.
        const ParamPositions at = LocateGeneral(model.Layers.front(), set, lastModel, true);
        for (size_t k = 0; k < model.Layers.size(); ++k) {
          const TSparseLayer& l = model.Layers[k];
          const float value = At(l.LayerParams, at.priVal).Value;
          CheckPriorValue(value, set.LongText, k);
          const TODVLayerParamCon& lateral =
              at.lat < 0 ? noConstraint : At(l.LayerParamCons, at.lat);
          const float vertical =
              at.vert < 0 ? 99.0f : FirstValueOrNone(At(l.LayerParamCons, at.vert));
          WriteSparseLine(value, At(l.LayerParams, at.priStd).Value, vertical,
                          lciMode_ > 0 && k < last, lateral.Values, lateral.Indices);
        }
      }
      WriteThicknessAndDepth(model.Layers);
    });
  }

  void WriteModel(const TModel& model) {
    GuardWrapping(className_, "WriteModel", [&] {
      WriteModelLineAndExtras(model, OlderLayoutExtras(model.ModelType));
      const size_t last = model.Layers.size() - 1;
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        const TLayer& l = model.Layers[k];
        WriteLine(l.ResStart, l.ResApriSTD, l.ResVert, lciMode_ > 0 && k < last, l.ResLat);
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
          WriteLine(At(l.LayerParams, at.priVal).Value, At(l.LayerParams, at.priStd).Value,
                    FirstValueOrNone(At(l.LayerParamCons, at.vert)), lciMode_ > 0 && k < last,
                    At(l.LayerParamCons, at.lat).Values);
        }
      }
      WriteThicknessAndDepth(model.Layers);
    });
  }

  void WriteModel(const TSparseModel& model) {
    GuardWrapping(className_, "WriteModel", [&] {
      CheckPosition(model);
      WriteModelLineAndExtras(model, OlderLayoutExtras(model.ModelType));
      const size_t last = model.Layers.size() - 1;
      for (size_t k = 0; k < model.Layers.size(); ++k) {
        const TSparseLayer& l = model.Layers[k];
        WriteSparseLine(l.ResStart, l.ResApriSTD, l.ResVert, lciMode_ > 0 && k < last,
                        l.ResLat.Values, l.ResLat.Indices);
      }
      WriteThicknessAndDepth(model.Layers);
    });
  }

private:
  void WriteValueColumns(float value, float factor, float vertical, bool writeVertical,
                         double noConstraint) {
    out_.Number(value, formats_.firstColumn);
    out_.Number(FileNumber(factor, -1), formats_.column);
    if (writeVertical)
      out_.Number(FileNumber(vertical, noConstraint), formats_.column);
    else
      out_.BlankColumn();
  }

  void WriteLine(float value, float factor, float vertical, bool writeVertical,
                 const TArrayOfSingle& lateral) {
    const auto writingFailed = [&] { return "Error writing file: " + fileName_; };
    GuardReplacing(writingFailed, [&] {
      WriteValueColumns(value, factor, vertical, writeVertical, 100000);
      for (float lateralFactor : lateral)
        out_.Number(FileNumber(lateralFactor, 100000), formats_.column);
      out_.EndLine();
    });
  }

  void WriteSparseLine(float value, float factor, float vertical, bool writeVertical,
                       const TArrayOfSingle& values, const TArrayOfInteger& indices) {
    GuardEscalating(className_, "WriteSparseLine", [&] {
      if (values.size() != indices.size())
        throw EPelo("Length of index and constraint arrays do not match.");
      WriteValueColumns(value, factor, vertical, writeVertical, -1);
      out_.Integer(static_cast<std::int64_t>(indices.size()));
      for (std::int32_t index : indices)
        out_.Integer(index);
      for (float lateralFactor : values)
        out_.Number(FileNumber(lateralFactor, -1), formats_.column);
      out_.EndLine();
    });
  }

  void WriteExtraParam(const TModel& model, TODVPoSet_Types type) {
    GuardEscalating(className_, "WriteExtraParam", [&] {
      const TExtraParamGroup<TModel>* group = FindExtraParamGroup<TModel>(type);
      if (group == nullptr)
        return;
      out_.Number(model.*group->Apri, formats_.column);
      out_.Number(FactorOrNone(model.*group->ApriSTD) - 1.0, formats_.column);
      const TArrayOfSingle& lateral = model.*group->LatSTDs;
      if (!lateral.empty()) {
        out_.BlankColumn();
        // Only the altitude marks a missing lateral constraint; the others write every factor.
        for (float factor : lateral)
          out_.Number(type == GGG_AIR_THK ? FileNumber(factor, 100000) : FactorOrNone(factor) - 1.0,
                      formats_.column);
      }
      out_.EndLine();
    });
  }

  template <class Model>
  void WriteModelLineAndExtras(const Model& model, const std::vector<TODVPoSet_Types>& extras) {
    out_.Integer(static_cast<std::int64_t>(model.Layers.size()));
    out_.Number(model.UTMX, formats_.oneDecimal);
    out_.Number(model.UTMY, formats_.oneDecimal);
    out_.Number(model.Elevation, formats_.twoDecimals);
    out_.EndLine();
    for (TODVPoSet_Types type : extras) {
      if constexpr (std::is_same_v<Model, TModel>) {
        WriteExtraParam(model, type);
      } else {
        if (const TExtraParamGroup<TSparseModel>* group = FindExtraParamGroup<TSparseModel>(type)) {
          const TSparseVector& lateral = model.*group->LatSTDs;
          WriteSparseLine(model.*group->Apri, model.*group->ApriSTD, 0, false, lateral.Values,
                          lateral.Indices);
        }
      }
    }
  }

  template <class Layer> void WriteThicknessAndDepth(const std::vector<Layer>& layers) {
    if (layers.size() < 2)
      return;
    const size_t lines = layers.size() - 1;
    for (size_t k = 0; k < lines; ++k) {
      const Layer& l = layers[k];
      const bool vertical = lciMode_ > 0 && k + 1 < lines;
      if constexpr (std::is_same_v<Layer, TLayer>)
        WriteLine(l.ThkStart, l.ThkApriSTD, l.ThkVert, vertical, l.ThkLat);
      else
        WriteSparseLine(l.ThkStart, l.ThkApriSTD, l.ThkVert, vertical, l.ThkLat.Values,
                        l.ThkLat.Indices);
    }
    for (size_t k = 0; k < lines; ++k) {
      const Layer& l = layers[k];
      if constexpr (std::is_same_v<Layer, TLayer>)
        WriteLine(l.DepStart, l.DepApriSTD, 0, false, l.DepLat);
      else
        WriteSparseLine(l.DepStart, l.DepApriSTD, 0, false, l.DepLat.Values, l.DepLat.Indices);
    }
  }

  ColumnWriter& out_;
  const WriteFormats& formats_;
  std::string_view className_;
  const std::string& fileName_;
  std::int32_t lciMode_;
  const TAllLayerParamSets& catalogue_;
};

void WriteHeader(ColumnWriter& out, const TModFile& file) {
  const auto savingFailed = [&] { return "Error saving file: " + file.FileName(); };
  GuardReplacing(savingFailed, [&] {
    const TModelFormat format = TModFileInternals::Format(file);
    auto forEachModel = [&](auto&& visit) {
      if (format == ModelFormatSparse)
        for (const TSparseModel& model : TModFileInternals::SparseModels(file))
          visit(model.ModelType, model.DataFiles);
      else if (format == ModelFormatRegular)
        for (const TModel& model : TModFileInternals::Models(file))
          visit(model.ModelType, model.DataFiles);
    };
    out.Text(file.CommentLine());
    out.EndLine();
    size_t dataFiles = 0;
    forEachModel(
        [&](std::int32_t, const std::vector<std::string>& files) { dataFiles += files.size(); });
    out.Text(std::to_string(dataFiles) + " ");
    if (file.EnableSharpInversion()) {
      out.Text(std::to_string(file.LCIMode()) + " " + std::to_string(file.UseSharpApriori()) + " " +
               FloatToStr(file.SharpVertical()) + " " + FloatToStr(file.SharpHorizontal()) + " ");
    } else {
      out.Text(std::to_string(file.LCIMode()));
      if (file.SmoothInvType() == 0)
        out.Text(" -1.00 1.00 1.00 3");
    }
    out.EndLine();
    size_t number = 0;
    forEachModel([&](std::int32_t type, const std::vector<std::string>& files) {
      ++number;
      for (const std::string& name : files) {
        out.Text(std::to_string(number) + " " + std::to_string(type) + " " + ExtractFileName(name));
        out.EndLine();
      }
    });
    out.Text(std::to_string(file.MaxIterations()));
    out.EndLine();
  });
}

// Both layouts: the model type is null for the older one of Save.
void SaveFile(TModFile& file, const TVesmarInvModelType* iInvModelType,
              bool iModifyLatConstraints0Values) {
  const TModelFormat format = TModFileInternals::Format(file);
  const std::vector<TModel>& models = TModFileInternals::Models(file);
  const std::vector<TSparseModel>& sparseModels = TModFileInternals::SparseModels(file);
  const std::int32_t count = file.NumberOfModels();
  if (format == ModelFormatRegular) {
    TModFileInternals::DetermineLCIMode(
        file, TModFileInternals::FitLateralConstraints(file, iModifyLatConstraints0Values));
  } else if (iInvModelType != nullptr) {
    file.SetLCIMode(file.IsLCI() ? (count == 1 ? 1 : 2) : count);
  } else {
    file.SetLCIMode(count);
  }
  std::string& colFormat = TModFileInternals::ColFormat(file);
  colFormat = file.UseExpFormat() ? file.ExpFormat() : file.LinFormat();

  const std::string& fileName = file.FileName();
  const std::string folder = ExtractFilePath(fileName);
  if (!platform::DirectoryExists(folder))
    throw EPelo("Directory does not exist: " + folder);
  const std::int32_t withoutLayers = format == ModelFormatSparse
                                         ? FirstModelWithoutLayers(sparseModels)
                                         : FirstModelWithoutLayers(models);
  if (format != ModelFormatNotSet && withoutLayers != 0)
    throw EPelo("Model " + std::to_string(withoutLayers) + " has no layers and cannot be written");

  const bool twoDecimalValues =
      !models.empty() && (models.front().ModelType == 2 || models.front().ModelType == 12);
  const WriteFormats formats{
      PictureFormat(colFormat),
      PictureFormat(twoDecimalValues ? TModFileInternals::TwoDFormat(file) : colFormat)};

  const auto savingFailed = [&] { return "Error saving file: " + fileName; };
  std::optional<platform::ReplacingFile> target;
  GuardReplacing(savingFailed, [&] { target.emplace(fileName); });
  ColumnWriter out(*target, static_cast<size_t>(std::max(file.ColWidth(), 0)));
  WriteHeader(out, file);
  ModelFileWriter writer(out, formats, file);
  if (format == ModelFormatSparse) {
    for (size_t i = 0; i < sparseModels.size(); ++i) {
      if (iInvModelType != nullptr)
        writer.WriteSparseModelGeneral(sparseModels[i], *iInvModelType,
                                       i + 1 == sparseModels.size());
      else
        writer.WriteModel(sparseModels[i]);
    }
  } else if (format == ModelFormatRegular) {
    for (const TModel& model : models) {
      if (iInvModelType != nullptr)
        writer.WriteModelGeneral(model, *iInvModelType);
      else
        writer.WriteModel(model);
    }
  }
  GuardReplacing(savingFailed, [&] {
    out.Flush();
    target->Commit();
  });
}

} // namespace

void TModFile::SaveGeneral(const TVesmarInvModelType& iInvModelType,
                           bool iModifyLatConstraints0Values) {
  SaveFile(*this, &iInvModelType, iModifyLatConstraints0Values);
}

void TModFile::Save(bool iModifyLatConstraints0Values) {
  SaveFile(*this, nullptr, iModifyLatConstraints0Values);
}

} // namespace kiv
