// The viewer window's work with files: open with progress and abort, save, export, settings.
#include "core/Exceptions.h"
#include "core/FileNames.h"
#include "framework/base/Debug.h"
#include "framework/base/FileVersionText.h"
#include "framework/desktop/My.h"
#include "framework/desktop/ProgressForm_.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/toolkit/ComponentGuard.h"
#include "framework/toolkit/Dialogs.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "survey/ParameterNames.h"
#include "update/desktop/vekInternetUtils_.h"
#include "viewer/OpenAsForm.h"
#include "viewer/SectionPainter.h"
#include "viewer/ViewerForm.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <exception>
#include <iterator>
#include <optional>
#include <string_view>

namespace kiv::viewer {
namespace {

// The layout of the stored settings; a new number drops those stored under another.
constexpr int kSettingsVersion = 1;
constexpr int kProgressSteps = 100;
constexpr int kLayerColumnWidth = 128;
constexpr const char* kRecentKey = "RecentFiles";
// The model types chosen for files: "File<n>=<path>|<layer parameters>|<extra parameters>", the
// lists as ModelTypeNamed reads them ("Chargeability,TauRho", "Altitude,Pitch"). The path is not
// the value's name, since names compare without regard to case and a path may hold "=", and it
// comes first, since the lists hold no "|" and a path may.
constexpr const char* kModelTypesKey = "ModelTypes";
constexpr std::size_t kModelTypesKept = 64;

// The save dialog's choices, in its filter's order (counted from 1).
struct SaveChoice {
  survey::FileStyle style;
  survey::FileLayout layout;
};
constexpr SaveChoice kSaveChoices[] = {{survey::FileStyle::Regular, survey::FileLayout::General},
                                       {survey::FileStyle::Sparse, survey::FileLayout::General},
                                       {survey::FileStyle::Regular, survey::FileLayout::Older},
                                       {survey::FileStyle::Sparse, survey::FileLayout::Older}};
constexpr const char* kSaveFilter =
    "Model file, regular style (*.mod)|*.mod|Model file, sparse style (*.mo2)|*.mo2|"
    "Model file, regular style, older layout (*.mod)|*.mod|"
    "Model file, sparse style, older layout (*.mo2)|*.mo2";

std::string Joined(const std::vector<int>& values) {
  std::string text;
  for (const int value : values)
    text.append(text.empty() ? "" : ",").append(std::to_string(value));
  return text;
}

// The numbers of a text that Joined wrote; none at all when any part is not a number.
std::vector<int> Split(std::string_view text) {
  std::vector<int> values;
  while (!text.empty()) {
    const std::size_t comma = std::min(text.find(','), text.size());
    int value = 0;
    const std::string_view part = text.substr(0, comma);
    const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
    if (error != std::errc() || end != part.data() + part.size())
      return {};
    values.push_back(value);
    text.remove_prefix(std::min(comma + 1, text.size()));
  }
  return values;
}

// "12.5 of 200.0 MB read", the line under the progress bar of an open.
std::string MegabytesText(std::uint64_t read, std::uint64_t total) {
  const auto tenths = [](std::uint64_t bytes) {
    const std::uint64_t value = (bytes * 10 + (1u << 19)) >> 20;
    return std::to_string(value / 10) + "." + std::to_string(value % 10);
  };
  return tenths(read) + " of " + tenths(total) + " MB read";
}

// The text of an expected failure to read a file: its message, and below it the cause's, which
// says what the library met ("TModFile.ReadModelGeneral", "Invalid numeric input"); none for an
// unexpected failure, which the exception box shows.
std::optional<std::string> ExpectedFailureText(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const EPFatal&) {
    return std::nullopt;
  } catch (const EPelo& e) {
    const std::string cause = e.CauseMessage();
    return cause.empty() ? e.Message() : e.Message() + "\n\n" + cause;
  } catch (...) {
    return std::nullopt;
  }
}

// The path, layer parameters and extra parameters of a model type stored for a file; none when
// the text is not such a choice.
std::optional<std::array<std::string, 3>> ChoiceParts(std::string_view text) {
  const std::size_t extras = text.rfind('|');
  if (extras == std::string_view::npos || extras == 0)
    return std::nullopt;
  const std::size_t params = text.rfind('|', extras - 1);
  if (params == std::string_view::npos)
    return std::nullopt;
  return std::array{std::string(text.substr(0, params)),
                    std::string(text.substr(params + 1, extras - params - 1)),
                    std::string(text.substr(extras + 1))};
}

bool Cancelled(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const EPelo& e) {
    return std::string_view(e.what()).find("Reading cancelled") != std::string_view::npos;
  } catch (...) {
    return false;
  }
}

} // namespace

void TKivViewForm::Log(const std::string& ALine) {
  if (TMy* my = My())
    my->Debug->WriteLine(ALine, mt_Info);
}

void TKivViewForm::ReportFailure(const std::string& AWhat) {
  const std::exception_ptr failure = std::current_exception();
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    if (TMy* my = My())
      my->Debug->WriteLine(AWhat + ": " + e.what(), mt_Error);
  } catch (...) {
    Log(AWhat + ": an unknown failure");
  }
  Application().ShowException(failure);
}

bool TKivViewForm::ConfirmDiscard() {
  if (!FDocument || !FDocument->Modified())
    return true;
  switch (MessageDlg("Save the changes to " + ExtractFileName(FDocument->FileName()) + "?",
                     TMsgDlgType::mtConfirmation, mbSave | mbDiscard | mbCancel)) {
  case mrSave:
    return SaveDocument();
  case mrDiscard:
    return true;
  default:
    return false;
  }
}

bool TKivViewForm::OpenFile(const std::string& AFileName) {
  if (!ConfirmDiscard())
    return false;
  survey::ModelTypeChoice choice;
  choice.preferred = RememberedModelType(AFileName);
  return ReadDocument(AFileName, choice);
}

bool TKivViewForm::OpenFileAs(const std::string& AFileName) {
  if (!ConfirmDiscard())
    return false;
  TComponentGuard<TKivViewForm> self(this);
  survey::ModelTypeFinding finding;
  std::exception_ptr failure;
  try {
    finding = survey::FindModelTypeOfFile(AFileName);
  } catch (...) {
    failure = std::current_exception();
  }
  if (failure) {
    ShowOpenFailure(AFileName, failure);
    return false;
  }
  const std::optional<TVesmarInvModelType> type = TOpenAsForm::Choose(this, AFileName, finding);
  if (!self || !type)
    return false;
  return ReadDocument(AFileName, {type, true, true, std::nullopt});
}

bool TKivViewForm::ReadDocument(const std::string& AFileName,
                                const survey::ModelTypeChoice& AChoice) {
  TComponentGuard<TKivViewForm> self(this);
  TComponentGuard<TProgressForm> progress(new TProgressForm(&Application()));
  progress->SetFormCaption("Opening");
  progress->SetMainLabel("Reading " + ExtractFileName(AFileName));
  progress->SetAbortCheckActive(true);
  progress->NumSteps(kProgressSteps, 1);
  progress->Show();
  progress->UpdateFormSize();
  bool stopped = false;
  const TReadProgressHook hook = [&](std::uint64_t ABytesRead, std::uint64_t ATotal) {
    if (!progress || !self || Application().Terminated() || progress->AbortRequested()) {
      stopped = true;
      return false;
    }
    const auto target =
        ATotal == 0 ? kProgressSteps : static_cast<int>(ABytesRead * kProgressSteps / ATotal);
    while (progress && progress->ProgressBar->Position() < target)
      progress->Step(MegabytesText(ABytesRead, ATotal), 1);
    if (progress && OnOpenProgress)
      OnOpenProgress(*progress.Get(), ABytesRead, ATotal);
    return true;
  };
  std::unique_ptr<TSurveyDocument> document;
  std::exception_ptr failure;
  std::optional<survey::ModelTypeFinding> uncertain;
  try {
    document = TSurveyDocument::Read(AFileName, AChoice, hook);
  } catch (const survey::UncertainModelType& e) {
    uncertain = e.Finding();
  } catch (...) {
    failure = std::current_exception();
  }
  delete progress.Get();
  if (!self)
    return false;
  if (uncertain) {
    Log("Asking for the model type of " + AFileName + ": " + uncertain->reason);
    const std::optional<TVesmarInvModelType> type =
        TOpenAsForm::Choose(this, AFileName, *uncertain);
    if (!self || !type)
      return false;
    return ReadDocument(AFileName, {type, true, true, std::nullopt});
  }
  if (failure) {
    if (stopped && Cancelled(failure)) {
      Log("Reading cancelled: " + AFileName);
      StatusBar->SetPanelText(0, "Reading cancelled");
      return false;
    }
    ShowOpenFailure(AFileName, failure);
    return false;
  }
  Log("Opened " + AFileName + ": " + std::to_string(document->Count()) + " models as " +
      survey::ModelTypeText(document->ModelType()));
  FLastFolder = ExtractFilePath(AFileName);
  if (AChoice.given)
    RememberModelType(AFileName, document->ModelType());
  Adopt(std::move(document));
  RecentFiles->Add(AFileName);
  return true;
}

void TKivViewForm::ShowOpenFailure(const std::string& AFileName,
                                   const std::exception_ptr& AFailure) {
  const std::optional<std::string> text = ExpectedFailureText(AFailure);
  if (!text) {
    try {
      std::rethrow_exception(AFailure);
    } catch (...) {
      ReportFailure("Could not open " + AFileName);
    }
    return;
  }
  if (TMy* my = My())
    my->Debug->WriteLine("Could not open " + AFileName + ": " + *text, mt_Error);
  MessageDlg(*text, TMsgDlgType::mtError, mbOK);
}

std::string TKivViewForm::AskFileToOpen(const std::string& ATitle) {
  TOpenDialog dialog(this);
  dialog.Title = ATitle;
  dialog.Filter = "Model files (*.mod, *.mo2)|*.mod;*.mo2|All files|*.*";
  dialog.InitialDir = StartFolder();
  return dialog.Execute() ? dialog.FileName : std::string();
}

std::optional<TVesmarInvModelType>
TKivViewForm::RememberedModelType(const std::string& AFileName) const {
  for (const TModelTypeChosen& chosen : FModelTypesChosen) {
    if (chosen.FileName != AFileName)
      continue;
    try {
      return survey::ModelTypeNamed(survey::NameList(chosen.LayerParams),
                                    survey::NameList(chosen.Extras));
    } catch (const survey::UnknownParameterName&) {
      // Stored by a version that knew other parameters: the file is read as if never chosen.
      return std::nullopt;
    }
  }
  return std::nullopt;
}

void TKivViewForm::RememberModelType(const std::string& AFileName,
                                     const TVesmarInvModelType& AType) {
  std::erase_if(FModelTypesChosen,
                [&](const TModelTypeChosen& chosen) { return chosen.FileName == AFileName; });
  FModelTypesChosen.insert(FModelTypesChosen.begin(), {AFileName, survey::LayerParamsText(AType),
                                                       survey::ExtraParamsText(AType)});
  if (FModelTypesChosen.size() > kModelTypesKept)
    FModelTypesChosen.resize(kModelTypesKept);
  SaveSettings();
}

void TKivViewForm::Adopt(std::unique_ptr<TSurveyDocument> ADocument) {
  FDocument = std::move(ADocument);
  FGeometry = TSectionGeometry(*FDocument);
  FViewport.Fit(FGeometry);
  FSelected.reset();
  const std::vector<survey::Field>& columns = FDocument->Columns();
  LayerGrid->SetColCount(static_cast<int>(columns.size()) + 1);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const int col = static_cast<int>(c) + 1;
    LayerGrid->SetColTitle(col, columns[c].Title());
    LayerGrid->SetColWidths(col, kLayerColumnWidth);
    LayerGrid->SetColEditable(col, columns[c].rule != survey::EditRule::ReadOnly);
  }
  SoundingsGrid->SetRowCount(static_cast<int>(FDocument->Count()));
  SoundingsGrid->Invalidate();
  LayerGrid->SetRowCount(0);
  if (FDocument->Count() > 0)
    SelectSounding(0);
  DocumentChanged(std::nullopt);
}

bool TKivViewForm::SaveDocument() {
  if (!FDocument)
    return false;
  try {
    FDocument->Save();
  } catch (...) {
    ReportFailure("Could not save " + FDocument->FileName());
    return false;
  }
  Log("Saved " + FDocument->FileName());
  DocumentChanged(std::nullopt);
  return true;
}

bool TKivViewForm::SaveDocumentAs() {
  if (!FDocument)
    return false;
  TSaveDialog dialog(this);
  dialog.Title = "Save the model file as";
  dialog.Filter = kSaveFilter;
  dialog.FilterIndex = FDocument->Sparse() ? 2 : 1;
  dialog.DefaultExt = FDocument->Sparse() ? "mo2" : "mod";
  dialog.FileName = FDocument->FileName();
  if (!dialog.Execute())
    return false;
  const int index = std::clamp(dialog.FilterIndex, 1, static_cast<int>(std::size(kSaveChoices)));
  const SaveChoice choice = kSaveChoices[index - 1];
  try {
    FDocument->SaveAs(dialog.FileName, choice.style, choice.layout);
  } catch (...) {
    ReportFailure("Could not save " + dialog.FileName);
    DocumentChanged(std::nullopt);
    return false;
  }
  Log("Saved " + dialog.FileName);
  FLastFolder = ExtractFilePath(dialog.FileName);
  RecentFiles->Add(dialog.FileName);
  FGeometry = TSectionGeometry(*FDocument);
  DocumentChanged(std::nullopt);
  return true;
}

void TKivViewForm::ConvertToSparse() {
  if (!FDocument || FDocument->Sparse())
    return;
  try {
    FDocument->ConvertToSparse();
  } catch (...) {
    ReportFailure("Could not convert " + FDocument->FileName());
    return;
  }
  Log("Converted to the sparse style: " + FDocument->FileName());
  FGeometry = TSectionGeometry(*FDocument);
  DocumentChanged(std::nullopt);
}

void TKivViewForm::ExportPicture(const std::string& AFileName) {
  if (!FDocument)
    return;
  try {
    TBitmap picture(std::max(SectionBox->ClientWidth(), 320),
                    std::max(SectionBox->ClientHeight(), 200));
    TSectionViewport viewport = FViewport;
    TSectionPainter().Paint(picture.Canvas(), *FDocument, FGeometry, viewport, FSelected);
    picture.SaveToPngFile(AFileName);
  } catch (...) {
    ReportFailure("Could not export " + AFileName);
    return;
  }
  Log("Exported the section to " + AFileName);
}

void TKivViewForm::CheckForUpdates() {
  // The user's own folder: a shared one could be another user's, or hold a link they planted.
  std::string folder;
  try {
    folder = platform::CreatePrivateFolder("kivview-update") + PathSeparator();
  } catch (...) {
    ReportFailure("Could not create the update folder");
    return;
  }
  TvekInternetUtils update(this);
  if (update.GetUpdate(folder, TSoftware::ZipFile, "kivview.zip")) {
    Log("Update downloaded to " + folder);
    MessageDlg("The update was downloaded to " + folder, TMsgDlgType::mtInformation, mbOK);
  } else {
    Log("No update was downloaded");
    MessageDlg("No update was downloaded", TMsgDlgType::mtInformation, mbOK);
  }
}

void TKivViewForm::ShowAbout() {
  const std::string exe = Application().ExeName();
  MessageDlg("kivview, the model viewer of the suite\nFile version " + GetFileVersionText(exe),
             TMsgDlgType::mtInformation, mbOK);
}

std::string TKivViewForm::StartFolder() const {
  return FLastFolder;
}

void TKivViewForm::RestoreSettings() {
  try {
    FRegistry = std::make_unique<TFormRegistry>(*this, kSettingsVersion);
    FRegistry->Restore();
    const std::vector<int> main = Split(FRegistry->ReadByNameDefault("MainSplitter", ""));
    const std::vector<int> view = Split(FRegistry->ReadByNameDefault("ViewSplitter", ""));
    const std::vector<int> sounding = Split(FRegistry->ReadByNameDefault("SoundingSplitter", ""));
    if (main.size() == 2)
      MainSplitter->SetSizes(main);
    if (view.size() == 2)
      ViewSplitter->SetSizes(view);
    if (sounding.size() == 2)
      SoundingSplitter->SetSizes(sounding);
    const std::vector<int> widths = Split(FRegistry->ReadByNameDefault("SoundingColumns", ""));
    for (std::size_t c = 0;
         c < widths.size() && c < static_cast<std::size_t>(SoundingsGrid->ColCount()); ++c)
      SoundingsGrid->SetColWidths(static_cast<int>(c), widths[c]);
    FLastFolder = FRegistry->ReadByNameDefault("LastFolder", "");
    std::vector<std::string> recent;
    if (FRegistry->ReadFromRegistryHKCU(recent, FRegistry->KeyNameSettings() + "\\" + kRecentKey)) {
      for (std::string& line : recent)
        line = line.substr(line.find('=') + 1);
      const auto change = std::move(RecentFiles->OnChange);
      RecentFiles->SetFiles(std::move(recent));
      RecentFiles->OnChange = change;
    }
    std::vector<std::string> chosen;
    if (FRegistry->ReadFromRegistryHKCU(chosen,
                                        FRegistry->KeyNameSettings() + "\\" + kModelTypesKey)) {
      FModelTypesChosen.clear();
      for (const std::string& line : chosen)
        if (const auto parts = ChoiceParts(std::string_view(line).substr(line.find('=') + 1)))
          FModelTypesChosen.push_back({(*parts)[0], (*parts)[1], (*parts)[2]});
    }
  } catch (...) {
    ReportFailure("Could not read the settings");
  }
}

void TKivViewForm::SaveSettings() {
  if (!FRegistry)
    return;
  try {
    FRegistry->SavePosition();
    FRegistry->WriteByName("MainSplitter", Joined(MainSplitter->Sizes()));
    FRegistry->WriteByName("ViewSplitter", Joined(ViewSplitter->Sizes()));
    FRegistry->WriteByName("SoundingSplitter", Joined(SoundingSplitter->Sizes()));
    std::vector<int> widths;
    for (int c = 0; c < SoundingsGrid->ColCount(); ++c)
      widths.push_back(SoundingsGrid->ColWidths(c));
    FRegistry->WriteByName("SoundingColumns", Joined(widths));
    FRegistry->WriteByName("LastFolder", FLastFolder);
    const std::string recentKey = FRegistry->KeyNameSettings() + "\\" + kRecentKey;
    FRegistry->DeleteKeyHKCU(recentKey);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < RecentFiles->Files().size(); ++i)
      lines.push_back("File" + std::to_string(i + 1) + "=" + RecentFiles->Files()[i]);
    FRegistry->WriteToRegistryHKCU(lines, recentKey);
    const std::string typesKey = FRegistry->KeyNameSettings() + "\\" + kModelTypesKey;
    FRegistry->DeleteKeyHKCU(typesKey);
    lines.clear();
    for (std::size_t i = 0; i < FModelTypesChosen.size(); ++i) {
      const TModelTypeChosen& chosen = FModelTypesChosen[i];
      lines.push_back("File" + std::to_string(i + 1) + "=" + chosen.FileName + "|" +
                      chosen.LayerParams + "|" + chosen.Extras);
    }
    FRegistry->WriteToRegistryHKCU(lines, typesKey);
  } catch (...) {
    ReportFailure("Could not store the settings");
  }
}

} // namespace kiv::viewer
