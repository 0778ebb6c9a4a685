#include "survey/SurveyRows.h"

namespace kiv::survey {
namespace {

Cell Number(std::size_t value) {
  return {Cell::Kind::Integer, static_cast<double>(value), {}};
}

} // namespace

SurveyRows::SurveyRows(const TModFile& file, const TVesmarInvModelType& type)
    : file_(file), fields_(file, type) {
  names_.emplace_back("model");
  for (const Field& field : fields_.SoundingFields())
    if (field.exported) {
      sounding_.push_back(&field);
      names_.push_back(field.name);
    }
  names_.emplace_back("layer");
  for (const Field& field : fields_.LayerFields())
    if (field.exported) {
      layer_.push_back(&field);
      names_.push_back(field.name);
    }
}

std::size_t SurveyRows::Models() const {
  return file_.SparseFormat() ? file_.SparseModels().size() : file_.RegularModels().size();
}

std::size_t SurveyRows::Layers(std::size_t model) const {
  return file_.SparseFormat() ? file_.SparseModels()[model].Layers.size()
                              : file_.RegularModels()[model].Layers.size();
}

void SurveyRows::ModelPart(std::size_t model, std::vector<Cell>& cells) const {
  cells.clear();
  cells.push_back(Number(model + 1));
  for (const Field* field : sounding_)
    cells.push_back(file_.SparseFormat()
                        ? fields_.SoundingCell(file_.SparseModels()[model], *field)
                        : fields_.SoundingCell(file_.RegularModels()[model], *field));
}

void SurveyRows::LayerPart(std::size_t model, std::size_t layer, std::vector<Cell>& cells) const {
  cells.clear();
  cells.push_back(Number(layer + 1));
  for (const Field* field : layer_)
    cells.push_back(file_.SparseFormat()
                        ? fields_.LayerCell(file_.SparseModels()[model], layer, *field)
                        : fields_.LayerCell(file_.RegularModels()[model], layer, *field));
}

} // namespace kiv::survey
