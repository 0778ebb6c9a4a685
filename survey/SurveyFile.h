#pragma once

// A model file read as a survey: its models, the model type that lays out their blocks (found by
// reading, or chosen), and how it is saved again: in which style and layout, and which style
// cannot be written from which.

#include "core/Exceptions.h"
#include "model/ModFile_.h"
#include "survey/ModelTypeFinding.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kiv::survey {

// How a file is written: its style (.mod or .mo2) and its layout (the blocks of the model type
// the file was read with, or the older layout that each model's type code decides).
enum class FileStyle { Regular, Sparse };
enum class FileLayout { General, Older };

// The style a file's name asks for: sparse for the extension ".mo2" in any letter case.
FileStyle StyleOfName(const std::string& path);

// The model type of a file is not certain: a person must choose one of the finding's candidates.
class UncertainModelType : public EPelo {
public:
  UncertainModelType(const std::string& path, ModelTypeFinding finding);
  std::string_view ClassName() const noexcept override { return "UncertainModelType"; }
  const ModelTypeFinding& Finding() const noexcept { return finding_; }
  // The file, as the read was given it.
  const std::string& Path() const noexcept { return path_; }

private:
  std::string path_;
  ModelTypeFinding finding_;
};

// A model file that does not read: "s.mod, line 383: Invalid numeric input", with the library's
// failure as its cause. An expected failure of a damaged file, whatever the library called it.
class ReadFailure : public EPelo {
public:
  ReadFailure(const std::string& path, std::int64_t line, std::string reason);
  std::string_view ClassName() const noexcept override { return "EPelo"; }
  // What went wrong, without the file and line: "Invalid numeric input".
  const std::string& Reason() const noexcept { return reason_; }

private:
  std::string reason_;
};

// What decides the model type of a read: the parameters given (each list may be given alone, the
// other then coming from the finding), a model type preferred where it lays out the file's first
// models (a person's earlier choice), else the finding.
struct ModelTypeChoice {
  std::optional<TVesmarInvModelType> given;
  bool layerParamsGiven = true;
  bool extraParamsGiven = true;
  std::optional<TVesmarInvModelType> preferred;
};

class SurveyFile {
public:
  // Reads the whole file in one pass. Throws UncertainModelType before the blocks are read when
  // the choice leaves the model type uncertain, ReadFailure for a file that does not read at a
  // line, and the library's other failures ("Error opening model file: ", "Reading cancelled").
  static std::unique_ptr<SurveyFile> Read(const std::string& path, const ModelTypeChoice& choice,
                                          const TReadProgressHook& progress = {});

  const TModFile& File() const noexcept { return *file_; }
  TModFile& File() noexcept { return *file_; }
  const std::string& FileName() const noexcept { return file_->FileName(); }
  const TVesmarInvModelType& ModelType() const noexcept { return type_; }
  // Why the model type is what it is: the finding's reason, "given" or "chosen before".
  const std::string& ModelTypeReason() const noexcept { return reason_; }
  bool Sparse() const noexcept { return file_->SparseFormat(); }
  std::size_t Count() const noexcept;
  FileLayout Layout() const noexcept { return layout_; }

  // Runs f on the models of the file's style (a vector of TModel or of TSparseModel), in place.
  template <class F> decltype(auto) WithModels(F&& f) const {
    return Sparse() ? f(file_->SparseModels()) : f(file_->RegularModels());
  }

  // Writes the file under its name, in its style and the layout it was last read or saved in.
  void Save();
  // Writes the file under path in the style and layout given; from then on it is that file. A
  // file in the sparse style cannot be saved in the regular one (EPelo). A failure leaves the
  // name, style and layout as they were.
  void SaveAs(const std::string& path, FileStyle style, FileLayout layout);
  // Builds the sparse models from the regular ones, as the library converts; the name's
  // extension becomes ".mo2".
  void ConvertToSparse();

private:
  SurveyFile(std::unique_ptr<TModFile> file, TVesmarInvModelType type, std::string reason);
  void Write(FileLayout layout);

  std::unique_ptr<TModFile> file_;
  TVesmarInvModelType type_;
  std::string reason_;
  FileLayout layout_ = FileLayout::General;
};

// What the first models of the file say of its model type, for a person who chooses it: reads
// the header and the first blocks only. Throws the library's failures of a header read.
ModelTypeFinding FindModelTypeOfFile(const std::string& path);

} // namespace kiv::survey
