#include "viewer/SurveyDocument.h"

#include "core/Exceptions.h"
#include "core/NumberParse.h"
#include "model/ModelTypeNames.h"

#include <cmath>

namespace kiv::viewer {
namespace {

// The older layout's model type of the header's type codes, which must all lay out the same
// blocks.
TVesmarInvModelType ModelTypeOfHeader(const TModFile& header) {
  const std::vector<std::int32_t> codes = TypeCodes(header);
  TVesmarInvModelType type = OlderLayoutModelType(codes.empty() ? 0 : codes.front());
  for (const std::int32_t code : codes)
    if (OlderLayoutModelType(code) != type)
      throw EPelo("The models of " + header.FileName() + " have type codes " +
                  std::to_string(codes.front()) + " and " + std::to_string(code) +
                  ", whose blocks differ");
  return type;
}

std::string Refusal(const TLayerColumn& column) {
  switch (column.Field) {
  case TLayerField::Resistivity:
    return "A resistivity must be a positive number";
  case TLayerField::Thickness:
    return "A thickness must be a positive number";
  default:
    return column.Rule == TValueRule::Positive ? "The value must be a positive number"
                                               : "The value must be a number";
  }
}

} // namespace

TSurveyDocument::TSurveyDocument(std::unique_ptr<TModFile> file, TVesmarInvModelType type)
    : FFile(std::move(file)), FType(std::move(type)),
      FColumns(LayerColumns(FType, FFile->LCIMode() > 0)) {}

std::unique_ptr<TSurveyDocument> TSurveyDocument::Read(const std::string& path,
                                                       const TReadProgressHook& progress) {
  TVesmarInvModelType type;
  auto file = std::make_unique<TModFile>();
  file->OpenWithHeaderType(
      path,
      [&type](const TModFile& header, std::string_view) {
        type = ModelTypeOfHeader(header);
        return type;
      },
      progress);
  return std::unique_ptr<TSurveyDocument>(new TSurveyDocument(std::move(file), std::move(type)));
}

std::size_t TSurveyDocument::Count() const noexcept {
  return WithModels([](const auto& models) { return models.size(); });
}

double TSurveyDocument::X(std::size_t model) const {
  return WithModels([&](const auto& models) { return models[model].UTMX; });
}

double TSurveyDocument::Y(std::size_t model) const {
  return WithModels([&](const auto& models) { return models[model].UTMY; });
}

float TSurveyDocument::Elevation(std::size_t model) const {
  return WithModels([&](const auto& models) { return models[model].Elevation; });
}

std::size_t TSurveyDocument::LayerCount(std::size_t model) const {
  return WithModels([&](const auto& models) { return models[model].Layers.size(); });
}

std::string_view TSurveyDocument::DataFileName(std::size_t model) const {
  return WithModels([&](const auto& models) -> std::string_view {
    const auto& files = models[model].DataFiles;
    return files.empty() ? std::string_view() : std::string_view(files.front());
  });
}

std::optional<float> TSurveyDocument::Value(std::size_t model, std::size_t layer,
                                            std::size_t column) const {
  const TLayerColumn& c = FColumns[column];
  return WithModels([&](const auto& models) -> std::optional<float> {
    const auto& layers = models[model].Layers;
    if (!FieldHeld(c.Field, layer, layers.size()))
      return std::nullopt;
    if (c.Field == TLayerField::DepthToTop) {
      float depth = 0;
      for (std::size_t k = 0; k < layer; ++k)
        depth += layers[k].ThkStart;
      return depth;
    }
    const float* value = FieldOf(layers[layer], c);
    return value ? std::optional<float>(*value) : std::nullopt;
  });
}

std::string TSurveyDocument::Edit(std::size_t model, std::size_t layer, std::size_t column,
                                  std::string_view text) {
  const TLayerColumn& c = FColumns[column];
  const std::optional<float> before = Value(model, layer, column);
  if (c.Rule == TValueRule::ReadOnly || !before)
    return "This value is not kept in the file";
  double parsed = 0;
  const bool number = ParseReal(text, parsed) && std::isfinite(static_cast<float>(parsed));
  if (!number || (c.Rule == TValueRule::Positive && !(parsed > 0)))
    return Refusal(c);
  const float after = static_cast<float>(parsed);
  if (after == *before)
    return {};
  SetValue(model, layer, column, after);
  FHistory.Done({model, layer, column, *before, after});
  return {};
}

void TSurveyDocument::SetValue(std::size_t model, std::size_t layer, std::size_t column,
                               float value) {
  const auto number = static_cast<std::int32_t>(model + 1);
  if (Sparse()) {
    TSparseModel copy = FFile->GetSparseModel(number);
    *FieldOf(copy.Layers[layer], FColumns[column]) = value;
    FFile->SetSparseModel(number, copy);
  } else {
    TModel copy = FFile->GetModel(number);
    *FieldOf(copy.Layers[layer], FColumns[column]) = value;
    FFile->SetModel(number, copy);
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

void TSurveyDocument::Write(TFileLayout layout) {
  if (layout == TFileLayout::General)
    FFile->SaveGeneral(FType, false);
  else
    FFile->Save(false);
  FLayout = layout;
  FHistory.MarkSaved();
}

void TSurveyDocument::Save() {
  Write(FLayout);
}

void TSurveyDocument::SaveAs(const std::string& path, TFileStyle style, TFileLayout layout) {
  if (style == TFileStyle::Regular && Sparse())
    throw EPelo("A file in the sparse style cannot be saved in the regular style");
  if (style == TFileStyle::Sparse && !Sparse())
    ConvertToSparse();
  const std::string previous = FFile->FileName();
  FFile->SetFileName(path);
  try {
    Write(layout);
  } catch (...) {
    FFile->SetFileName(previous);
    throw;
  }
}

void TSurveyDocument::ConvertToSparse() {
  if (Sparse())
    return;
  FFile->SwitchToSparseFormat(FType);
  FHistory.Reset();
}

} // namespace kiv::viewer
