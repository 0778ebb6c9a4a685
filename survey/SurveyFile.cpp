#include "survey/SurveyFile.h"

#include "core/FileNames.h"
#include "platform/AsciiText.h"
#include "survey/ParameterNames.h"

#include <algorithm>

namespace kiv::survey {
namespace {

constexpr std::size_t kCandidatesInMessage = 5;

std::string UncertainMessage(const std::string& path, const ModelTypeFinding& finding) {
  std::string message = "The model type of " + ExtractFileName(path) +
                        " is not certain: " + finding.reason + ". It may be:";
  const std::size_t shown = std::min(finding.candidates.size(), kCandidatesInMessage);
  for (std::size_t i = 0; i < shown; ++i)
    message += "\n  " + ModelTypeText(finding.candidates[i]);
  const std::size_t more = finding.candidates.size() - shown + finding.moreCandidates;
  if (more > 0)
    message += "\n  and " + std::to_string(more) + " more";
  return message;
}

// What went wrong at the bottom of a failure: the innermost cause's text, without the locations
// that an escalation put above it ("Invalid numeric input").
std::string Innermost(const std::exception& failure) {
  if (const auto* own = dynamic_cast<const Exception*>(&failure); own && own->Cause()) {
    try {
      std::rethrow_exception(own->Cause());
    } catch (const std::exception& cause) {
      return Innermost(cause);
    } catch (...) {
    }
  }
  const std::string_view message = failure.what();
  return std::string(message.substr(message.find_last_of('\n') + 1));
}

// The finding narrowed to the candidates with the lists given.
ModelTypeFinding Narrowed(const ModelTypeChoice& choice, const ModelTypeFinding& finding) {
  ModelTypeFinding narrowed;
  narrowed.reason = finding.reason;
  for (const TVesmarInvModelType& candidate : finding.candidates) {
    const bool params =
        !choice.layerParamsGiven || LayerParamsText(candidate) == LayerParamsText(*choice.given);
    const bool extras =
        !choice.extraParamsGiven || ExtraParamsText(candidate) == ExtraParamsText(*choice.given);
    if (params && extras)
      narrowed.candidates.push_back(candidate);
  }
  narrowed.certain =
      narrowed.candidates.size() == 1 ||
      (finding.certain && !narrowed.candidates.empty() &&
       ModelTypeText(narrowed.candidates.front()) == ModelTypeText(finding.candidates.front()));
  if (narrowed.candidates.empty()) {
    // The lists given fit none of the file's first models: the read itself will tell where.
    TVesmarInvModelType type = finding.candidates.front();
    if (choice.layerParamsGiven)
      type.LayerParams = choice.given->LayerParams;
    if (choice.extraParamsGiven)
      type.ExtraParams = choice.given->ExtraParams;
    narrowed.candidates.push_back(std::move(type));
    narrowed.certain = true;
  }
  return narrowed;
}

} // namespace

FileStyle StyleOfName(const std::string& path) {
  return platform::AsciiUpperCase(ExtractFileExt(path)) == ".MO2" ? FileStyle::Sparse
                                                                  : FileStyle::Regular;
}

UncertainModelType::UncertainModelType(const std::string& path, ModelTypeFinding finding)
    : EPelo(UncertainMessage(path, finding)), path_(path), finding_(std::move(finding)) {}

ReadFailure::ReadFailure(const std::string& path, std::int64_t line, std::string reason)
    : EPelo(ExtractFileName(path) + ", line " + std::to_string(line) + ": " + reason,
            std::current_exception()),
      reason_(std::move(reason)) {
  SetLine(line);
}

ModelTypeFinding FindModelTypeOfFile(const std::string& path) {
  // Ends the read once the header's callback has looked at the first blocks.
  struct Found {};
  ModelTypeFinding finding;
  try {
    TModFile().OpenWithHeaderType(
        path,
        [&](const TModFile& header, std::string_view blocks) -> TVesmarInvModelType {
          finding = FindModelType(header, blocks);
          throw Found{};
        },
        {});
  } catch (const Found&) {
  }
  return finding;
}

std::unique_ptr<SurveyFile> SurveyFile::Read(const std::string& path, const ModelTypeChoice& choice,
                                             const TReadProgressHook& progress) {
  auto file = std::make_unique<TModFile>();
  TVesmarInvModelType type;
  std::string reason;
  try {
    file->OpenWithHeaderType(
        path,
        [&](const TModFile& header, std::string_view blocks) {
          if (choice.given && choice.layerParamsGiven && choice.extraParamsGiven) {
            reason = "given";
            return type = *choice.given;
          }
          if (choice.preferred && ModelTypeFits(header, blocks, *choice.preferred)) {
            reason = "chosen before";
            return type = *choice.preferred;
          }
          const ModelTypeFinding found = FindModelType(header, blocks);
          const ModelTypeFinding finding = choice.given ? Narrowed(choice, found) : found;
          if (!finding.certain)
            throw UncertainModelType(path, finding);
          reason = choice.given ? "given in part; " + finding.reason : finding.reason;
          return type = finding.candidates.front();
        },
        progress);
  } catch (const UncertainModelType&) {
    throw;
  } catch (const Exception& e) {
    if (e.Line() <= 0)
      throw;
    throw ReadFailure(path, e.Line(), Innermost(e));
  }
  return std::unique_ptr<SurveyFile>(
      new SurveyFile(std::move(file), std::move(type), std::move(reason)));
}

SurveyFile::SurveyFile(std::unique_ptr<TModFile> file, TVesmarInvModelType type, std::string reason)
    : file_(std::move(file)), type_(std::move(type)), reason_(std::move(reason)) {}

std::size_t SurveyFile::Count() const noexcept {
  return WithModels([](const auto& models) { return models.size(); });
}

void SurveyFile::Write(FileLayout layout) {
  if (layout == FileLayout::General)
    file_->SaveGeneral(type_, false);
  else
    file_->Save(false);
  layout_ = layout;
}

void SurveyFile::Save() {
  Write(layout_);
}

void SurveyFile::SaveAs(const std::string& path, FileStyle style, FileLayout layout) {
  if (style == FileStyle::Regular && Sparse())
    throw EPelo("A file in the sparse style cannot be saved in the regular style: the library "
                "converts regular models to sparse ones, not back");
  const std::string previous = file_->FileName();
  const bool converting = style == FileStyle::Sparse && !Sparse();
  if (converting)
    ConvertToSparse();
  file_->SetFileName(path);
  try {
    Write(layout);
  } catch (...) {
    // The conversion keeps the regular models: a failed save leaves the file as it was.
    file_->SetFileName(previous);
    if (converting)
      file_->SetIsSparse(false);
    throw;
  }
}

void SurveyFile::ConvertToSparse() {
  if (!Sparse())
    file_->SwitchToSparseFormat(type_);
}

} // namespace kiv::survey
