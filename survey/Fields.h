#pragma once

// The field catalogue: every value that a program shows or exports of a survey's soundings and
// layers, each with one name, its unit, the long text of its parameter, how to get and set it on
// regular and sparse records, and the rule an edit of it must follow. The viewer's columns,
// kivmod's export and diff take their fields and names from here.

#include "model/ModFile_.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::survey {

// Where a field's value lies.
enum class FieldSource {
  X,
  Y,
  Elevation,
  LayerCount, // the number of the sounding's layers
  DataFile,   // the sounding's first data-file name
  Extra,      // an extra parameter of the model type, counted by group
  Thickness,
  Param, // a layer parameter of the model type, counted by group, resistivity first
  Depth, // the a-priori depth of the layer's bottom
  Top    // the depth of the layer's top: the start thicknesses above it, summed
};

// Which of a group's values: its start or a-priori value, its factors, a lateral neighbour.
enum class FieldPart { Value, PriorFactor, VerticalFactor, LateralIndex, LateralFactor };

// What a typed value must be: a positive number, any number, or nothing (not edited).
enum class EditRule { Positive, Number, ReadOnly };

struct Field {
  // The one name of the field: "Resistivity", "Resistivity_prior_factor", "thickness", "top".
  std::string name;
  // Its unit ("Ohmm", "m"), empty for a factor or where the catalogue has none.
  std::string unit;
  // The long text of its parameter ("Resistivity", "Altitude", "thickness").
  std::string longText;
  FieldSource source = FieldSource::X;
  FieldPart part = FieldPart::Value;
  // The extra parameter or layer parameter (resistivity 0) of the model type.
  std::size_t group = 0;
  // The lateral neighbour, from 0.
  std::size_t neighbour = 0;
  EditRule rule = EditRule::ReadOnly;
  // Whether kivmod export writes it: the sounding's layer count and data file are only shown.
  bool exported = true;

  // The name with its unit, as a column's title: "Resistivity (Ohmm)".
  std::string Title() const;
};

// One value of a field: none where the record has no such value (the half-space's thickness, a
// lateral neighbour beyond the list), an integer, a single- or double-precision number, or text.
struct Cell {
  enum class Kind { Empty, Integer, Single, Double, Text } kind = Kind::Empty;
  double number = 0;
  std::string_view text;
};

// The fields of a survey's models read with a model type: the sounding fields (position, extra
// parameters with their factors and lateral neighbours) and the layer fields (thickness, each
// layer parameter, depth, each with its factors and lateral neighbours), as wide as the file's
// lateral lists are.
class FieldCatalogue {
public:
  FieldCatalogue(const TModFile& file, const TVesmarInvModelType& type);

  // x, y, elevation, layers, data_file, then each extra parameter's group.
  const std::vector<Field>& SoundingFields() const { return sounding_; }
  // thickness's group, each layer parameter's group (resistivity first), depth's group, top.
  const std::vector<Field>& LayerFields() const { return layer_; }
  // The field of that name, or null.
  const Field* Find(std::string_view name) const;

  // The value of a sounding field of the model.
  Cell SoundingCell(const TModel& model, const Field& field) const;
  Cell SoundingCell(const TSparseModel& model, const Field& field) const;
  // The value of a layer field of layer (from 0) of the model; empty beyond its last layer.
  Cell LayerCell(const TModel& model, std::size_t layer, const Field& field) const;
  Cell LayerCell(const TSparseModel& model, std::size_t layer, const Field& field) const;

  // Sets an editable layer field; false where the layer holds no such value.
  bool SetLayerValue(TModel& model, std::size_t layer, const Field& field, float value) const;
  bool SetLayerValue(TSparseModel& model, std::size_t layer, const Field& field, float value) const;

  const std::vector<TODVLayerParamSet>& ParamSets() const { return sets_; }

private:
  TVesmarInvModelType type_;
  std::vector<TODVLayerParamSet> sets_;
  bool vertical_ = false; // the file holds vertical constraints
  std::vector<Field> sounding_;
  std::vector<Field> layer_;
};

// Checks a typed value against the field's rule: the value, or why it is refused ("A resistivity
// must be a positive number").
struct EditCheck {
  std::optional<float> value;
  std::string refusal;
};
EditCheck CheckEdit(const Field& field, std::string_view text);

// Calls f(k, top, bottom) for each layer k (from 0) of the model, from the top down: the depths
// of its top and of its bottom, the start thicknesses above them summed in one running sum; the
// half-space has no bottom.
template <class Model, class F> void ForEachLayerDepth(const Model& model, F&& f) {
  double top = 0;
  const std::size_t count = model.Layers.size();
  for (std::size_t k = 0; k < count; ++k) {
    const std::optional<double> bottom =
        k + 1 < count ? std::optional<double>(top + model.Layers[k].ThkStart) : std::nullopt;
    f(k, top, bottom);
    top = bottom.value_or(top);
  }
}

// The depth of the layer's top (from 0): the start thicknesses of the layers above it, summed.
template <class Model> double LayerTop(const Model& model, std::size_t layer) {
  double top = 0;
  for (std::size_t k = 0; k < layer; ++k)
    top += model.Layers[k].ThkStart;
  return top;
}

} // namespace kiv::survey
