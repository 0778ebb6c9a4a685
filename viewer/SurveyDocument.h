#pragma once

// One model file open in the viewer: its models as the library holds them, the model type they
// were read with, the columns that show their layers, and the edits since it was opened.

#include "model/ModFile_.h"
#include "viewer/EditHistory.h"
#include "viewer/LayerColumns.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv::viewer {

// How a file is written: its style (.mod or .mo2) and its layout (the blocks of the model type the
// file was read with, or the older layout that each model's type code decides).
enum class TFileStyle { Regular, Sparse };
enum class TFileLayout { General, Older };

class TSurveyDocument {
public:
  // Reads the whole file. The model type comes from the type codes of its models; models whose
  // codes lay out their blocks differently are refused (EPelo). Progress as TModFile::Open's.
  static std::unique_ptr<TSurveyDocument> Read(const std::string& path,
                                               const TReadProgressHook& progress);

  const TModFile& File() const noexcept { return *FFile; }
  const std::string& FileName() const noexcept { return FFile->FileName(); }
  const TVesmarInvModelType& ModelType() const noexcept { return FType; }
  bool Sparse() const noexcept { return FFile->SparseFormat(); }
  std::size_t Count() const noexcept;
  const std::vector<TLayerColumn>& Columns() const noexcept { return FColumns; }

  // Runs f on the models of the file's style (a vector of TModel or of TSparseModel), in place.
  template <class F> decltype(auto) WithModels(F&& f) const {
    return Sparse() ? f(FFile->SparseModels()) : f(FFile->RegularModels());
  }

  double X(std::size_t model) const;
  double Y(std::size_t model) const;
  float Elevation(std::size_t model) const;
  std::size_t LayerCount(std::size_t model) const;
  // The model's first data-file name; empty when it has none.
  std::string_view DataFileName(std::size_t model) const;
  // The column's value for the layer; none where the file holds no such value.
  std::optional<float> Value(std::size_t model, std::size_t layer, std::size_t column) const;

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
  void SaveAs(const std::string& path, TFileStyle style, TFileLayout layout);
  // Builds the sparse models from the regular ones, as the library converts; the name's
  // extension becomes ".mo2". Cannot be undone; the document is then changed.
  void ConvertToSparse();

private:
  TSurveyDocument(std::unique_ptr<TModFile> file, TVesmarInvModelType type);
  void SetValue(std::size_t model, std::size_t layer, std::size_t column, float value);
  void Write(TFileLayout layout);

  std::unique_ptr<TModFile> FFile;
  TVesmarInvModelType FType;
  std::vector<TLayerColumn> FColumns;
  TFileLayout FLayout = TFileLayout::General;
  TEditHistory FHistory;
};

} // namespace kiv::viewer
