#include "survey/Fields.h"

#include "core/NumberParse.h"
#include "model/LayerParams_.h"
#include "model/ModelTypeNames.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace kiv::survey {
namespace {

constexpr std::string_view kMetres = "m";

// The unit of an extra parameter's value.
std::string ExtraUnit(TODVPoSet_Types type) {
  switch (type) {
  case GGG_AIR_THK:
  case GGG_TXRX_DIST:
    return std::string(kMetres);
  case GGG_PITCH:
  case GGG_ROLL:
  case GGG_RX_ANGLE:
    return "deg";
  default:
    return {};
  }
}

// Adds a group's fields: its value, its prior factor, its vertical factor (where the group has
// one) and an index and a factor per lateral neighbour.
void AddGroup(std::vector<Field>& fields, const Field& value, bool vertical, std::size_t width) {
  fields.push_back(value);
  Field part = value;
  part.unit.clear();
  part.rule = value.rule == EditRule::ReadOnly ? EditRule::ReadOnly : EditRule::Number;
  part.part = FieldPart::PriorFactor;
  part.name = value.name + "_prior_factor";
  fields.push_back(part);
  if (vertical) {
    part.part = FieldPart::VerticalFactor;
    part.name = value.name + "_vertical_factor";
    fields.push_back(part);
  }
  part.rule = EditRule::ReadOnly;
  for (std::size_t k = 0; k < width; ++k) {
    part.neighbour = k;
    part.part = FieldPart::LateralIndex;
    part.name = value.name + "_lateral_" + std::to_string(k + 1) + "_index";
    fields.push_back(part);
    part.part = FieldPart::LateralFactor;
    part.name = value.name + "_lateral_" + std::to_string(k + 1) + "_factor";
    fields.push_back(part);
  }
}

Field Make(std::string name, std::string unit, std::string longText, FieldSource source,
           EditRule rule, std::size_t group = 0) {
  Field field;
  field.name = std::move(name);
  field.unit = std::move(unit);
  field.longText = std::move(longText);
  field.source = source;
  field.rule = rule;
  field.group = group;
  return field;
}

// Lateral constraints: a dense array's entry k ties to the neighbour k + 1 places on, a list
// names its own neighbours.
Cell LateralCell(const TArrayOfSingle& values, const TArrayOfInteger* indices, const Field& field) {
  if (field.neighbour >= values.size())
    return {};
  if (field.part == FieldPart::LateralFactor)
    return {Cell::Kind::Single, values[field.neighbour], {}};
  const double index = indices != nullptr && field.neighbour < indices->size()
                           ? (*indices)[field.neighbour]
                           : static_cast<double>(field.neighbour + 1);
  return {Cell::Kind::Integer, index, {}};
}
Cell LateralCell(const TArrayOfSingle& values, const Field& field) {
  return LateralCell(values, nullptr, field);
}
Cell LateralCell(const TSparseVector& vector, const Field& field) {
  return LateralCell(vector.Values, &vector.Indices, field);
}

Cell Single(float value) {
  return {Cell::Kind::Single, value, {}};
}

// The entry of the type in a layer's arrays, looked for first where the model type puts it.
template <class Array, class Type> auto* Entry(Array& entries, Type type, std::size_t at) {
  auto hint = static_cast<std::int32_t>(at);
  const std::int32_t found = [&] {
    if constexpr (std::is_same_v<std::remove_const_t<Array>, TArrayOfODVLayerParam>)
      return LocateLayerParam(hint, type, entries);
    else
      return LocateLayerParamCon(hint, type, entries);
  }();
  return found < 0 ? nullptr : &entries[static_cast<std::size_t>(found)];
}

// Where a layer's value of the field lies, or null where the file holds none.
template <class Layer>
std::conditional_t<std::is_const_v<Layer>, const float*, float*>
ValueOf(Layer& l, const Field& field, const std::vector<TODVLayerParamSet>& sets) {
  switch (field.source) {
  case FieldSource::Thickness:
    return field.part == FieldPart::Value         ? &l.ThkStart
           : field.part == FieldPart::PriorFactor ? &l.ThkApriSTD
                                                  : &l.ThkVert;
  case FieldSource::Depth:
    return field.part == FieldPart::Value ? &l.DepStart : &l.DepApriSTD;
  case FieldSource::Param: {
    if (field.group == 0)
      return field.part == FieldPart::Value         ? &l.ResStart
             : field.part == FieldPart::PriorFactor ? &l.ResApriSTD
                                                    : &l.ResVert;
    const TODVLayerParamSet& set = sets[field.group];
    const std::size_t at = 2 * (field.group - 1);
    if (field.part == FieldPart::VerticalFactor) {
      auto* vertical = Entry(l.LayerParamCons, set.VertStdD, at);
      return vertical == nullptr || vertical->Values.empty() ? nullptr : &vertical->Values[0];
    }
    auto* entry = field.part == FieldPart::Value ? Entry(l.LayerParams, set.PriVal, at)
                                                 : Entry(l.LayerParams, set.PriStd, at + 1);
    return entry == nullptr ? nullptr : &entry->Value;
  }
  default:
    return nullptr;
  }
}

template <class Layer>
Cell LateralOf(const Layer& l, const Field& field, const std::vector<TODVLayerParamSet>& sets) {
  switch (field.source) {
  case FieldSource::Thickness:
    return LateralCell(l.ThkLat, field);
  case FieldSource::Depth:
    return LateralCell(l.DepLat, field);
  default:
    if (field.group == 0)
      return LateralCell(l.ResLat, field);
    const auto* lateral =
        Entry(l.LayerParamCons, sets[field.group].LatStdD, 2 * (field.group - 1) + 1);
    return lateral == nullptr ? Cell{} : LateralCell(lateral->Values, &lateral->Indices, field);
  }
}

// Whether the file holds the field for layer of a model of layers layers: the half-space has no
// thickness and no depth, and no vertical constraint ties it or the last thickness to the next.
bool Held(const Field& field, std::size_t layer, std::size_t layers, bool vertical) {
  const bool halfSpace = layer + 1 >= layers;
  if ((field.source == FieldSource::Thickness || field.source == FieldSource::Depth) && halfSpace)
    return false;
  if (field.part != FieldPart::VerticalFactor)
    return true;
  if (!vertical)
    return false;
  return field.source == FieldSource::Thickness ? layer + 2 < layers : !halfSpace;
}

template <class Model>
Cell SoundingCellOf(const Model& model, const Field& field, const TVesmarInvModelType& type) {
  switch (field.source) {
  case FieldSource::X:
    return {Cell::Kind::Double, model.UTMX, {}};
  case FieldSource::Y:
    return {Cell::Kind::Double, model.UTMY, {}};
  case FieldSource::Elevation:
    return Single(model.Elevation);
  case FieldSource::LayerCount:
    return {Cell::Kind::Integer, static_cast<double>(model.Layers.size()), {}};
  case FieldSource::DataFile:
    return model.DataFiles.empty() ? Cell{} : Cell{Cell::Kind::Text, 0, model.DataFiles.front()};
  case FieldSource::Extra: {
    const auto* group = FindExtraParamGroup<Model>(type.ExtraParams[field.group].ParamType);
    if (group == nullptr)
      return {};
    switch (field.part) {
    case FieldPart::Value:
      return Single(model.*group->Apri);
    case FieldPart::PriorFactor:
      return Single(model.*group->ApriSTD);
    default:
      return LateralCell(model.*group->LatSTDs, field);
    }
  }
  default:
    return {};
  }
}

template <class Model>
Cell LayerCellOf(const Model& model, std::size_t layer, const Field& field,
                 const std::vector<TODVLayerParamSet>& sets, bool vertical) {
  if (layer >= model.Layers.size())
    return {};
  if (field.source == FieldSource::Top)
    return {Cell::Kind::Double, LayerTop(model, layer), {}};
  if (!Held(field, layer, model.Layers.size(), vertical))
    return {};
  const auto& l = model.Layers[layer];
  if (field.part == FieldPart::LateralIndex || field.part == FieldPart::LateralFactor)
    return LateralOf(l, field, sets);
  const float* value = ValueOf(l, field, sets);
  return value == nullptr ? Cell{} : Single(*value);
}

template <class Model>
bool SetValueOf(Model& model, std::size_t layer, const Field& field, float value,
                const std::vector<TODVLayerParamSet>& sets, bool vertical) {
  if (field.rule == EditRule::ReadOnly || layer >= model.Layers.size() ||
      !Held(field, layer, model.Layers.size(), vertical))
    return false;
  float* target = ValueOf(model.Layers[layer], field, sets);
  if (target == nullptr)
    return false;
  *target = value;
  return true;
}

// How wide each group's lateral fields are: in a regular file every list has as many entries as
// the model has neighbours, at most one fewer than the constraint mode; a sparse line carries its
// own count, so its file is looked through.
struct Widths {
  std::vector<std::size_t> extras;
  std::vector<std::size_t> params;
  std::size_t thickness = 0;
  std::size_t depth = 0;
};

void Grow(Widths& widths, const TSparseModel& model, const TVesmarInvModelType& type,
          const std::vector<TODVLayerParamSet>& sets) {
  for (std::size_t e = 0; e < type.ExtraParams.size(); ++e)
    if (const auto* group = FindExtraParamGroup<TSparseModel>(type.ExtraParams[e].ParamType))
      widths.extras[e] = std::max(widths.extras[e], (model.*group->LatSTDs).Values.size());
  for (const auto& layer : model.Layers) {
    widths.params[0] = std::max(widths.params[0], layer.ResLat.Values.size());
    widths.thickness = std::max(widths.thickness, layer.ThkLat.Values.size());
    widths.depth = std::max(widths.depth, layer.DepLat.Values.size());
    for (std::size_t s = 1; s < sets.size(); ++s)
      if (const auto* lateral = Entry(layer.LayerParamCons, sets[s].LatStdD, 2 * (s - 1) + 1))
        widths.params[s] = std::max(widths.params[s], lateral->Values.size());
  }
}

Widths WidthsOf(const TModFile& file, const TVesmarInvModelType& type,
                const std::vector<TODVLayerParamSet>& sets) {
  Widths widths;
  widths.extras.assign(type.ExtraParams.size(), 0);
  widths.params.assign(sets.size(), 0);
  if (file.SparseFormat()) {
    for (const TSparseModel& model : file.SparseModels())
      Grow(widths, model, type, sets);
  } else {
    const std::int64_t neighbours =
        std::min<std::int64_t>(file.LCIMode() - 1, file.NumberOfModels() - 1);
    const std::size_t width = neighbours > 0 ? static_cast<std::size_t>(neighbours) : 0;
    std::fill(widths.extras.begin(), widths.extras.end(), width);
    std::fill(widths.params.begin(), widths.params.end(), width);
    widths.thickness = widths.depth = width;
  }
  return widths;
}

} // namespace

std::string Field::Title() const {
  return unit.empty() ? name : name + " (" + unit + ")";
}

FieldCatalogue::FieldCatalogue(const TModFile& file, const TVesmarInvModelType& type)
    : type_(type), sets_(LayerParamSetsOf(type)), vertical_(file.LCIMode() > 0) {
  const Widths widths = WidthsOf(file, type_, sets_);
  const std::string metres(kMetres);
  sounding_ = {Make("x", metres, "Easting", FieldSource::X, EditRule::ReadOnly),
               Make("y", metres, "Northing", FieldSource::Y, EditRule::ReadOnly),
               Make("elevation", metres, "Elevation", FieldSource::Elevation, EditRule::ReadOnly),
               Make("layers", "", "Number of layers", FieldSource::LayerCount, EditRule::ReadOnly),
               Make("data_file", "", "First data file", FieldSource::DataFile, EditRule::ReadOnly)};
  sounding_[3].exported = sounding_[4].exported = false;
  for (std::size_t e = 0; e < type_.ExtraParams.size(); ++e) {
    const TODVPoSet_Types extra = type_.ExtraParams[e].ParamType;
    const std::string name(ExtraParamName(extra));
    AddGroup(sounding_,
             Make(name, ExtraUnit(extra), name, FieldSource::Extra, EditRule::ReadOnly, e), false,
             widths.extras[e]);
  }

  layer_.push_back(Make("top", metres, "Depth of the top", FieldSource::Top, EditRule::ReadOnly));
  AddGroup(layer_,
           Make("thickness", metres, "Thickness", FieldSource::Thickness, EditRule::Positive), true,
           widths.thickness);
  for (std::size_t s = 0; s < sets_.size(); ++s)
    AddGroup(layer_,
             Make(sets_[s].LongText, sets_[s].ParamUnit, sets_[s].LongText, FieldSource::Param,
                  EditRule::Positive, s),
             true, widths.params[s]);
  AddGroup(layer_,
           Make("depth", metres, "Depth of the bottom", FieldSource::Depth, EditRule::Number),
           false, widths.depth);
}

const Field* FieldCatalogue::Find(std::string_view name) const {
  for (const std::vector<Field>* fields : {&sounding_, &layer_})
    for (const Field& field : *fields)
      if (field.name == name)
        return &field;
  return nullptr;
}

Cell FieldCatalogue::SoundingCell(const TModel& model, const Field& field) const {
  return SoundingCellOf(model, field, type_);
}
Cell FieldCatalogue::SoundingCell(const TSparseModel& model, const Field& field) const {
  return SoundingCellOf(model, field, type_);
}

Cell FieldCatalogue::LayerCell(const TModel& model, std::size_t layer, const Field& field) const {
  return LayerCellOf(model, layer, field, sets_, vertical_);
}
Cell FieldCatalogue::LayerCell(const TSparseModel& model, std::size_t layer,
                               const Field& field) const {
  return LayerCellOf(model, layer, field, sets_, vertical_);
}

bool FieldCatalogue::SetLayerValue(TModel& model, std::size_t layer, const Field& field,
                                   float value) const {
  return SetValueOf(model, layer, field, value, sets_, vertical_);
}
bool FieldCatalogue::SetLayerValue(TSparseModel& model, std::size_t layer, const Field& field,
                                   float value) const {
  return SetValueOf(model, layer, field, value, sets_, vertical_);
}

EditCheck CheckEdit(const Field& field, std::string_view text) {
  if (field.rule == EditRule::ReadOnly)
    return {std::nullopt, "This value is not kept in the file"};
  double parsed = 0;
  const bool number = ParseReal(text, parsed) && std::isfinite(static_cast<float>(parsed));
  if (number && (field.rule == EditRule::Number || parsed > 0))
    return {static_cast<float>(parsed), {}};
  if (field.rule == EditRule::Number)
    return {std::nullopt, "The value must be a number"};
  if (field.source == FieldSource::Param && field.group == 0)
    return {std::nullopt, "A resistivity must be a positive number"};
  if (field.source == FieldSource::Thickness)
    return {std::nullopt, "A thickness must be a positive number"};
  return {std::nullopt, "The value must be a positive number"};
}

} // namespace kiv::survey
