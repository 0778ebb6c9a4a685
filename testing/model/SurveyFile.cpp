#include "testing/model/SurveyFile.h"

#include "model/ModelTypeNames.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kiv::test {
namespace {

constexpr double kSpacing = 25;

// A start value of the parameter of the catalogue row: positive, and below 1 for C.
float ParamValue(TODVLayerParam_Types param, double t, std::size_t k) {
  const double wave = 0.5 + 0.4 * std::sin(t / 17 + static_cast<double>(k));
  return static_cast<float>(param == ltC ? wave : param == ltTau ? 1e-3 * wave : 50 * wave);
}

void AddLayerParams(TLayer& layer, const TVesmarInvModelType& type, std::size_t lateral, double t,
                    std::size_t k) {
  const std::vector<TODVLayerParamSet> sets = LayerParamSetsOf(type);
  for (std::size_t s = 1; s < sets.size(); ++s) {
    layer.LayerParams.push_back({sets[s].PriVal, ParamValue(sets[s].LayerParam, t, k)});
    layer.LayerParams.push_back({sets[s].PriStd, 1.5f});
    layer.LayerParamCons.push_back({sets[s].VertStdD, {1.8f}, {}});
    layer.LayerParamCons.push_back({sets[s].LatStdD, TArrayOfSingle(lateral, 1.6f), {}});
  }
}

TModel Sounding(const SurveyShape& shape, const TVesmarInvModelType& type, std::int32_t index) {
  const double t = static_cast<double>(index);
  const auto lateral =
      static_cast<std::size_t>(std::max(0, std::min(shape.lci - 1, shape.soundings - 1 - index)));
  TModel model;
  model.Title = "Sounding " + std::to_string(index + 1);
  model.ModelType = shape.typeCode;
  model.DataFiles = {"line100_" + std::to_string(index + 1) + ".tem"};
  model.UTMX = 512000.0 + kSpacing * t * 0.8;
  model.UTMY = 6210000.0 + kSpacing * t * 0.6;
  model.Elevation = static_cast<float>(40 + 15 * std::sin(t / 60) + 4 * std::sin(t / 7));
  model.Altitude = static_cast<float>(30 + 5 * std::sin(t / 11));
  model.AltitudeApri = model.Altitude;
  model.AltitudeApriSTD = 1.1f;
  model.AltitudeLatSTDs.assign(lateral, 1.2f);
  model.PitchApriSTD = 1.5f;
  model.PitchLatSTDs.assign(lateral, 1.3f);
  for (const TExtraParam& extra : type.ExtraParams) {
    const TExtraParamGroup<TModel>* group = FindExtraParamGroup<TModel>(extra.ParamType);
    if (group == nullptr)
      throw std::invalid_argument("MakeSurvey: an extra parameter without a group");
    // Altitude and pitch keep the survey's own values.
    if (group->ParamType != GGG_AIR_THK && group->ParamType != GGG_PITCH) {
      model.*group->Apri = static_cast<float>(std::sin(t / 5));
      model.*group->ApriSTD = 1.5f;
      (model.*group->LatSTDs).assign(lateral, 1.3f);
    }
  }
  const auto layers = static_cast<std::size_t>(shape.layers);
  model.Layers.resize(layers);
  for (std::size_t k = 0; k < layers; ++k) {
    TLayer& l = model.Layers[k];
    const double depth = static_cast<double>(k) / static_cast<double>(layers);
    // A conductive clay layer that dips along the line between resistive sand and bedrock.
    const double clay = std::exp(-std::pow((depth - 0.35 - 0.15 * std::sin(t / 90)) / 0.12, 2));
    l.ResStart =
        static_cast<float>(std::pow(10.0, 2.2 - 1.6 * clay + 1.2 * depth * depth +
                                              0.1 * std::sin(t / 13 + static_cast<double>(k))));
    l.ResApriSTD = 3;
    const bool notLast = k + 1 < layers;
    l.ResVert = notLast ? 2.5f : 0;
    l.ResLat.assign(lateral, 1.5f);
    l.ThkLat.resize(lateral);
    l.DepLat.resize(lateral);
    AddLayerParams(l, type, lateral, t, k);
    if (notLast) {
      l.ThkStart = static_cast<float>(2 + 1.2 * static_cast<double>(k));
      l.ThkApriSTD = 2;
      l.ThkVert = k + 2 < layers ? 2.0f : 0;
      l.DepStart =
          static_cast<float>((2 + 0.6 * static_cast<double>(k)) * static_cast<double>(k + 1));
      l.DepApriSTD = 2;
      std::fill(l.ThkLat.begin(), l.ThkLat.end(), 1.4f);
      std::fill(l.DepLat.begin(), l.DepLat.end(), 1.4f);
    }
  }
  return model;
}

} // namespace

TVesmarInvModelType SurveyModelType(const SurveyShape& shape) {
  return shape.type ? *shape.type : OlderLayoutModelType(shape.typeCode);
}

std::unique_ptr<TModFile> MakeSurvey(const SurveyShape& shape, const std::string& path) {
  const TVesmarInvModelType type = SurveyModelType(shape);
  auto file = std::make_unique<TModFile>();
  for (std::int32_t i = 0; i < shape.soundings; ++i)
    file->AddModel(Sounding(shape, type, i), i + 1);
  if (shape.sparse)
    file->SwitchToSparseFormat(type);
  // A sparse file's constraint mode follows from whether its models are laterally constrained.
  file->SetIsLCI(shape.lci <= 2);
  file->SetFileName(path);
  return file;
}

std::string WriteSurvey(const SurveyShape& shape, const std::string& path) {
  const std::unique_ptr<TModFile> file = MakeSurvey(shape, path);
  if (shape.olderLayout)
    file->Save(false);
  else
    file->SaveGeneral(SurveyModelType(shape), false);
  return path;
}

} // namespace kiv::test
