#pragma once

// One model file open in the viewer: the survey as the survey library reads and saves it, the
// catalogue's layer fields that the sounding view shows, and the edits since it was opened.

#include "survey/Fields.h"
#include "survey/SurveyFile.h"
#include "viewer/EditHistory.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::viewer {

class TSurveyDocument {
public:
  // Reads the whole file with the model type that the choice and the file decide; throws as
  // survey::SurveyFile::Read does (UncertainModelType, ReadFailure, ...). Progress as
  // TModFile::Open's.
  static std::unique_ptr<TSurveyDocument> Read(const std::string& path,
                                               const survey::ModelTypeChoice& choice,
                                               const TReadProgressHook& progress = {});

  const TModFile& File() const noexcept { return FSurvey->File(); }
  const std::string& FileName() const noexcept { return FSurvey->FileName(); }
  const TVesmarInvModelType& ModelType() const noexcept { return FSurvey->ModelType(); }
  bool Sparse() const noexcept { return FSurvey->Sparse(); }
  std::size_t Count() const noexcept { return FSurvey->Count(); }
  const survey::FieldCatalogue& Catalogue() const noexcept { return *FCatalogue; }
  // The layer fields of the sounding view, one per column after the layer number.
  const std::vector<survey::Field>& Columns() const noexcept { return FColumns; }

  // Runs f on the models of the file's style (a vector of TModel or of TSparseModel), in place.
  template <class F> decltype(auto) WithModels(F&& f) const {
    return FSurvey->WithModels(std::forward<F>(f));
  }

  std::size_t LayerCount(std::size_t model) const;
  // The value of one of the catalogue's sounding fields for the model.
  survey::Cell SoundingValue(std::size_t model, const survey::Field& field) const;
  // The value of one of the catalogue's layer fields for the layer; none where the model has no
  // such layer or the file holds no such value.
  std::optional<double> LayerValue(std::size_t model, std::size_t layer,
                                   const survey::Field& field) const;
  // The column's value for the layer, as LayerValue.
  std::optional<double> Value(std::size_t model, std::size_t layer, std::size_t column) const {
    return LayerValue(model, layer, FColumns[column]);
  }

  // Takes a typed value into the layer: "" when taken, else why not ("A resistivity must be a
  // positive number"). A value taken can be undone.
  std::string Edit(std::size_t model, std::size_t layer, std::size_t column, std::string_view text);
  // The model whose value changed, or none when there is nothing to undo or redo.
  std::optional<std::size_t> Undo();
  std::optional<std::size_t> Redo();
  bool CanUndo() const noexcept { return FHistory.CanUndo(); }
  bool CanRedo() const noexcept { return FHistory.CanRedo(); }
  // Whether the models differ from those last read or saved.
  bool Modified() const noexcept { return FHistory.Modified(); }

  // Writes the file under its name, in its style and the layout it was last read or saved in.
  void Save();
  // Writes the file under path in the style and layout given; from then on the document is that
  // file. The sparse style cannot be written back in the regular one (EPelo). A failure leaves
  // the document's name and layout as they were.
  void SaveAs(const std::string& path, survey::FileStyle style, survey::FileLayout layout);
  // Builds the sparse models from the regular ones, as the library converts; the name's
  // extension becomes ".mo2". Cannot be undone; the document is then changed.
  void ConvertToSparse();

private:
  explicit TSurveyDocument(std::unique_ptr<survey::SurveyFile> survey);
  void SetValue(std::size_t model, std::size_t layer, std::size_t column, float value);

  std::unique_ptr<survey::SurveyFile> FSurvey;
  // Made again when the models change style: a sparse file's lateral lists are as wide as its
  // models make them.
  std::unique_ptr<survey::FieldCatalogue> FCatalogue;
  std::vector<survey::Field> FColumns;
  TEditHistory FHistory;
};

} // namespace kiv::viewer
