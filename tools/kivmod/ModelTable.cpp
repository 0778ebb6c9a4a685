#include "tools/kivmod/ModelTable.h"

#include "model/LayerParams_.h"
#include "tools/kivmod/ModelReading.h"

#include <algorithm>

namespace kiv {
namespace {

// Lateral constraints as pairs of cells, the neighbour's index and the factor: a dense array's
// entry k is the neighbour k + 1 places on, a list names its own.
void LateralCells(CellSink& sink, const TArrayOfSingle& values, const TArrayOfInteger* indices,
                  size_t width) {
  for (size_t p = 0; p < width; ++p) {
    if (p < values.size()) {
      sink.Integer(indices != nullptr && p < indices->size() ? (*indices)[p]
                                                             : static_cast<std::int64_t>(p + 1));
      sink.Single(values[p]);
    } else {
      sink.Empty();
      sink.Empty();
    }
  }
}
void LateralCells(CellSink& sink, const TArrayOfSingle& values, size_t width) {
  LateralCells(sink, values, nullptr, width);
}
void LateralCells(CellSink& sink, const TSparseVector& vector, size_t width) {
  LateralCells(sink, vector.Values, &vector.Indices, width);
}

// A layer's entry of the type; null when it has none.
template <class Layer>
const TODVLayerParam* ParamOf(const Layer& layer, TODVLayerParam_Types type) {
  std::int32_t at = -1;
  return LocateLayerParam(at, type, layer.LayerParams) < 0
             ? nullptr
             : &layer.LayerParams[static_cast<size_t>(at)];
}
template <class Layer>
const TODVLayerParamCon* ConstraintOf(const Layer& layer, TODVLayerParamCon_Types type) {
  std::int32_t at = -1;
  return LocateLayerParamCon(at, type, layer.LayerParamCons) < 0
             ? nullptr
             : &layer.LayerParamCons[static_cast<size_t>(at)];
}

void EmptyCells(CellSink& sink, size_t count) {
  for (size_t i = 0; i < count; ++i)
    sink.Empty();
}

void AddGroup(std::vector<std::string>& fields, const std::string& name, bool vertical,
              size_t width) {
  fields.push_back(name);
  fields.push_back(name + "_prior_factor");
  if (vertical)
    fields.push_back(name + "_vertical_factor");
  for (size_t k = 1; k <= width; ++k) {
    fields.push_back(name + "_lateral_" + std::to_string(k) + "_index");
    fields.push_back(name + "_lateral_" + std::to_string(k) + "_factor");
  }
}

// Widens the lateral fields to the lists of a sparse model.
void GrowWidths(ModelTable::Widths& widths, const TSparseModel& model,
                const TVesmarInvModelType& type, const std::vector<TODVLayerParamSet>& sets) {
  for (size_t e = 0; e < type.ExtraParams.size(); ++e)
    if (const auto* group = FindExtraParamGroup<TSparseModel>(type.ExtraParams[e].ParamType))
      widths.extras[e] = std::max(widths.extras[e], (model.*group->LatSTDs).Values.size());
  for (const TSparseLayer& layer : model.Layers) {
    widths.params[0] = std::max(widths.params[0], layer.ResLat.Values.size());
    widths.thickness = std::max(widths.thickness, layer.ThkLat.Values.size());
    widths.depth = std::max(widths.depth, layer.DepLat.Values.size());
    for (size_t s = 1; s < sets.size(); ++s)
      if (const TODVLayerParamCon* lateral = ConstraintOf(layer, sets[s].LatStdD))
        widths.params[s] = std::max(widths.params[s], lateral->Values.size());
  }
}

template <class Model>
void WriteModelCells(CellSink& sink, const Model& model, const TVesmarInvModelType& type,
                     const ModelTable::Widths& widths) {
  sink.Double(model.UTMX);
  sink.Double(model.UTMY);
  sink.Single(model.Elevation);
  for (size_t e = 0; e < type.ExtraParams.size(); ++e) {
    if (const auto* group = FindExtraParamGroup<Model>(type.ExtraParams[e].ParamType)) {
      sink.Single(model.*group->Apri);
      sink.Single(model.*group->ApriSTD);
      LateralCells(sink, model.*group->LatSTDs, widths.extras[e]);
    } else {
      EmptyCells(sink, 2 + 2 * widths.extras[e]);
    }
  }
}

template <class Layer>
void WriteLayerCells(CellSink& sink, const Layer& layer, bool halfSpace,
                     const std::vector<TODVLayerParamSet>& sets, const ModelTable::Widths& widths) {
  if (halfSpace) {
    EmptyCells(sink, 3 + 2 * widths.thickness);
  } else {
    sink.Single(layer.ThkStart);
    sink.Single(layer.ThkApriSTD);
    sink.Single(layer.ThkVert);
    LateralCells(sink, layer.ThkLat, widths.thickness);
  }
  sink.Single(layer.ResStart);
  sink.Single(layer.ResApriSTD);
  sink.Single(layer.ResVert);
  LateralCells(sink, layer.ResLat, widths.params[0]);
  for (size_t s = 1; s < sets.size(); ++s) {
    const TODVLayerParamSet& set = sets[s];
    if (const TODVLayerParam* value = ParamOf(layer, set.PriVal))
      sink.Single(value->Value);
    else
      sink.Empty();
    if (const TODVLayerParam* factor = ParamOf(layer, set.PriStd))
      sink.Single(factor->Value);
    else
      sink.Empty();
    const TODVLayerParamCon* vertical = ConstraintOf(layer, set.VertStdD);
    if (vertical != nullptr && !vertical->Values.empty())
      sink.Single(vertical->Values.front());
    else
      sink.Empty();
    if (const TODVLayerParamCon* lateral = ConstraintOf(layer, set.LatStdD))
      LateralCells(sink, lateral->Values, &lateral->Indices, widths.params[s]);
    else
      EmptyCells(sink, 2 * widths.params[s]);
  }
  if (halfSpace) {
    EmptyCells(sink, 2 + 2 * widths.depth);
  } else {
    sink.Single(layer.DepStart);
    sink.Single(layer.DepApriSTD);
    LateralCells(sink, layer.DepLat, widths.depth);
  }
}

template <class Model> double Top(const Model& model, std::int32_t layer) {
  double top = 0;
  for (std::int32_t i = 0; i < layer; ++i)
    top += model.Layers[static_cast<size_t>(i)].ThkStart;
  return top;
}

} // namespace

ModelTable::ModelTable(const TModFile& file, const TVesmarInvModelType& type)
    : file_(file), type_(type), sets_(LayerParamSetsOf(type)) {
  widths_.extras.assign(type_.ExtraParams.size(), 0);
  widths_.params.assign(sets_.size(), 0);
  if (file_.SparseFormat()) {
    // A sparse line carries its own count of neighbours.
    for (std::int32_t i = 1; i <= file_.NumberOfModels(); ++i)
      GrowWidths(widths_, file_.GetSparseModel(i), type_, sets_);
  } else {
    // The reader gives every lateral array of a regular model as many entries as the model has
    // neighbours, at most one fewer than the constraint mode, so no pass over the models is needed.
    const std::int64_t neighbours =
        std::min<std::int64_t>(file_.LCIMode() - 1, file_.NumberOfModels() - 1);
    const size_t width = neighbours > 0 ? static_cast<size_t>(neighbours) : 0;
    std::fill(widths_.extras.begin(), widths_.extras.end(), width);
    std::fill(widths_.params.begin(), widths_.params.end(), width);
    widths_.thickness = widths_.depth = width;
  }
  NameFields();
}

void ModelTable::NameFields() {
  modelFields_ = {"x", "y", "elevation"};
  for (size_t e = 0; e < type_.ExtraParams.size(); ++e)
    AddGroup(modelFields_, std::string(ExtraParamName(type_.ExtraParams[e].ParamType)), false,
             widths_.extras[e]);
  AddGroup(layerFields_, "thickness", true, widths_.thickness);
  for (size_t s = 0; s < sets_.size(); ++s)
    AddGroup(layerFields_, sets_[s].LongText, true, widths_.params[s]);
  AddGroup(layerFields_, "depth", false, widths_.depth);
}

void ModelTable::Load(std::int32_t modelNumber) {
  if (file_.SparseFormat())
    sparseModel_ = file_.GetSparseModel(modelNumber);
  else
    model_ = file_.GetModel(modelNumber);
}

std::int32_t ModelTable::NumberOfLayers() const {
  return static_cast<std::int32_t>(sparseModel_ ? sparseModel_->Layers.size()
                                                : model_->Layers.size());
}

void ModelTable::ModelCells(CellSink& sink) const {
  if (sparseModel_)
    WriteModelCells(sink, *sparseModel_, type_, widths_);
  else
    WriteModelCells(sink, *model_, type_, widths_);
}

void ModelTable::LayerCells(std::int32_t layer, CellSink& sink) const {
  const bool halfSpace = layer + 1 == NumberOfLayers();
  const auto at = static_cast<size_t>(layer);
  if (sparseModel_)
    WriteLayerCells(sink, sparseModel_->Layers[at], halfSpace, sets_, widths_);
  else
    WriteLayerCells(sink, model_->Layers[at], halfSpace, sets_, widths_);
}

double ModelTable::LayerTop(std::int32_t layer) const {
  return sparseModel_ ? Top(*sparseModel_, layer) : Top(*model_, layer);
}

} // namespace kiv
