#include "viewer/SurveyDocument.h"

#include <cstdint>

namespace kiv::viewer {
namespace {

using survey::Field;
using survey::FieldPart;
using survey::FieldSource;

// The values first, the layer parameters' before thickness, top and depth, then the factors: the
// pane shows a few columns at a time, and the values are what a person reads and edits most.
// Lateral constraints, one per neighbour, are not shown; vertical ones where the file holds them.
std::vector<Field> ColumnsOf(const survey::FieldCatalogue& catalogue, bool vertical) {
  std::vector<Field> columns;
  const auto add = [&](auto wanted) {
    for (const Field& field : catalogue.LayerFields())
      if (wanted(field))
        columns.push_back(field);
  };
  add([](const Field& f) { return f.part == FieldPart::Value && f.source == FieldSource::Param; });
  add([](const Field& f) { return f.part == FieldPart::Value && f.source != FieldSource::Param; });
  add([&](const Field& f) {
    return f.part == FieldPart::PriorFactor || (vertical && f.part == FieldPart::VerticalFactor);
  });
  return columns;
}

} // namespace

TSurveyDocument::TSurveyDocument(std::unique_ptr<survey::SurveyFile> survey)
    : FSurvey(std::move(survey)),
      FCatalogue(std::make_unique<survey::FieldCatalogue>(File(), ModelType())),
      FColumns(ColumnsOf(*FCatalogue, File().LCIMode() > 0)) {}

std::unique_ptr<TSurveyDocument> TSurveyDocument::Read(const std::string& path,
                                                       const survey::ModelTypeChoice& choice,
                                                       const TReadProgressHook& progress) {
  return std::unique_ptr<TSurveyDocument>(
      new TSurveyDocument(survey::SurveyFile::Read(path, choice, progress)));
}

std::size_t TSurveyDocument::LayerCount(std::size_t model) const {
  return WithModels([&](const auto& models) { return models[model].Layers.size(); });
}

survey::Cell TSurveyDocument::SoundingValue(std::size_t model, const survey::Field& field) const {
  return WithModels(
      [&](const auto& models) { return FCatalogue->SoundingCell(models[model], field); });
}

std::optional<double> TSurveyDocument::LayerValue(std::size_t model, std::size_t layer,
                                                  const survey::Field& field) const {
  const survey::Cell cell = WithModels([&](const auto& models) {
    const auto& m = models[model];
    return layer < m.Layers.size() ? FCatalogue->LayerCell(m, layer, field) : survey::Cell{};
  });
  return cell.kind == survey::Cell::Kind::Empty ? std::nullopt : std::optional(cell.number);
}

std::string TSurveyDocument::Edit(std::size_t model, std::size_t layer, std::size_t column,
                                  std::string_view text) {
  const std::optional<double> before = Value(model, layer, column);
  if (!before)
    return "This value is not kept in the file";
  const survey::EditCheck check = survey::CheckEdit(FColumns[column], text);
  if (!check.value)
    return check.refusal;
  const auto previous = static_cast<float>(*before);
  if (*check.value == previous)
    return {};
  SetValue(model, layer, column, *check.value);
  FHistory.Done({model, layer, column, previous, *check.value});
  return {};
}

void TSurveyDocument::SetValue(std::size_t model, std::size_t layer, std::size_t column,
                               float value) {
  const auto number = static_cast<std::int32_t>(model + 1);
  TModFile& file = FSurvey->File();
  if (Sparse()) {
    TSparseModel copy = file.GetSparseModel(number);
    FCatalogue->SetLayerValue(copy, layer, FColumns[column], value);
    file.SetSparseModel(number, copy);
  } else {
    TModel copy = file.GetModel(number);
    FCatalogue->SetLayerValue(copy, layer, FColumns[column], value);
    file.SetModel(number, copy);
  }
}

std::optional<std::size_t> TSurveyDocument::Undo() {
  const std::optional<TLayerEdit> edit = FHistory.Undo();
  if (!edit)
    return std::nullopt;
  SetValue(edit->Model, edit->Layer, edit->Column, edit->Before);
  return edit->Model;
}

std::optional<std::size_t> TSurveyDocument::Redo() {
  const std::optional<TLayerEdit> edit = FHistory.Redo();
  if (!edit)
    return std::nullopt;
  SetValue(edit->Model, edit->Layer, edit->Column, edit->After);
  return edit->Model;
}

void TSurveyDocument::Save() {
  FSurvey->Save();
  FHistory.MarkSaved();
}

void TSurveyDocument::SaveAs(const std::string& path, survey::FileStyle style,
                             survey::FileLayout layout) {
  // Converted here rather than by the survey's own save, so that the conversion is a change that
  // cannot be undone like any other.
  if (style == survey::FileStyle::Sparse)
    ConvertToSparse();
  FSurvey->SaveAs(path, style, layout);
  FHistory.MarkSaved();
}

void TSurveyDocument::ConvertToSparse() {
  if (Sparse())
    return;
  FSurvey->ConvertToSparse();
  FCatalogue = std::make_unique<survey::FieldCatalogue>(File(), ModelType());
  FHistory.Reset();
}

} // namespace kiv::viewer
