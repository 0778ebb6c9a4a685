#pragma once

// A survey as a table for scripts and comparisons: one row per model and layer, holding the
// model's number, its exported sounding fields, the layer's number and its exported layer fields,
// each named by the field catalogue. A regular and a sparse file of the same models give the
// same rows.

#include "survey/Fields.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kiv::survey {

class SurveyRows {
public:
  // The rows of the file's models read with the model type; file must outlive the rows. The
  // models are read where they lie.
  SurveyRows(const TModFile& file, const TVesmarInvModelType& type);

  // "model", the sounding fields, "layer", the layer fields.
  const std::vector<std::string>& Names() const { return names_; }
  // Where the layer's part of a row starts in Names: at "layer".
  std::size_t LayerPartStart() const { return 1 + sounding_.size(); }

  std::size_t Models() const;
  std::size_t Layers(std::size_t model) const;
  // The model's part of its rows (its number, from 1, and its sounding fields), model from 0;
  // cells is emptied first.
  void ModelPart(std::size_t model, std::vector<Cell>& cells) const;
  // The layer's part of its row (its number, from 1, and its layer fields), layer from 0.
  void LayerPart(std::size_t model, std::size_t layer, std::vector<Cell>& cells) const;

private:
  const TModFile& file_;
  FieldCatalogue fields_;
  std::vector<const Field*> sounding_;
  std::vector<const Field*> layer_;
  std::vector<std::string> names_;
};

} // namespace kiv::survey
