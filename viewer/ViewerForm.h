#pragma once

// The viewer's main window: a model file's soundings in a grid, its resistivity section and the
// selected sounding's layers, with the menus that open, edit, convert and save the file.

#include "framework/desktop/KivForm_.h"
#include "framework/toolkit/Canvas.h"
#include "framework/toolkit/Menus.h"
#include "framework/toolkit/PaintBox.h"
#include "framework/toolkit/RecentFiles.h"
#include "framework/toolkit/Splitter.h"
#include "framework/toolkit/StatusBar.h"
#include "framework/toolkit/VirtualGrid.h"
#include "viewer/SectionGeometry.h"
#include "viewer/SectionPainter.h"
#include "viewer/SurveyDocument.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kiv {

class TFormRegistry;
class TProgressForm;

namespace viewer {

class TKivViewForm : public TKivForm {
public:
  explicit TKivViewForm(TComponent* AOwner);
  ~TKivViewForm() override;

  // Opens the file as the document, after asking about unsaved changes. The read shows the
  // progress window with its Abort. A file whose model type is not certain, and that no earlier
  // choice lays out, asks which it is (Open as). An abort, a cancel or a failed read (a damaged
  // file's line in an error box, an unexpected failure in the exception box) leaves the document
  // that was open untouched. True when the file became the document.
  bool OpenFile(const std::string& AFileName);
  // Opens the file as OpenFile does, but asks first which model type its models have, among
  // every model type that its first models allow, the one found first.
  bool OpenFileAs(const std::string& AFileName);
  // Saves under the document's name; a failure is shown and logged, and false returned.
  bool SaveDocument();
  // Asks for a name, style and layout, and saves there.
  bool SaveDocumentAs();
  // Writes the section as it shows to a PNG file.
  void ExportPicture(const std::string& AFileName);
  void ConvertToSparse();
  void Undo();
  void Redo();
  // Whether the window may go: true when there are no unsaved changes, or the user saved or
  // discarded them; Cancel gives false.
  bool ConfirmDiscard();

  const TSurveyDocument* Document() const noexcept { return FDocument.get(); }
  std::optional<std::size_t> Selected() const noexcept { return FSelected; }
  // Selects the sounding in the grid, the section and the sounding view.
  void SelectSounding(std::size_t ASounding);
  // The pixel column of the section where the selected sounding's marker stands; none when
  // nothing is selected or the marker lies outside the view.
  std::optional<int> MarkerPixel() const;
  // The menu caption of the window: the file's name, "*" after it while unsaved.
  std::string TitleText() const;

  // The controls, owned by the window.
  TMainMenu* MainMenu;
  TMenuItem* FileMenu;
  TMenuItem* OpenAsItem;
  TMenuItem* RecentMenu;
  TMenuItem* ViewSectionItem;
  TMenuItem* ViewSoundingItem;
  TMenuItem* UndoItem;
  TMenuItem* RedoItem;
  TRecentFilesMenu* RecentFiles;
  TStatusBar* StatusBar;
  TSplitter* MainSplitter;
  TSplitter* ViewSplitter;
  TSplitter* SoundingSplitter;
  TVirtualStringGrid* SoundingsGrid;
  TPaintBox* SectionBox;
  TVirtualStringGrid* LayerGrid;
  TPaintBox* SoundingBox;

  // Told of every progress step of an open, with the window that shows it: how a test presses
  // Abort at a point of the read of its choice.
  std::function<void(TProgressForm& AProgress, std::uint64_t ABytesRead, std::uint64_t ATotal)>
      OnOpenProgress;

private:
  void BuildMenus();
  void BuildPanes();
  void BindSection();
  void BindGrids();
  void RestoreSettings();
  void SaveSettings();
  // Reads the file with the model type the choice and the file decide, asking when they leave it
  // uncertain; a model type chosen by a person is remembered for the file.
  bool ReadDocument(const std::string& AFileName, const survey::ModelTypeChoice& AChoice);
  void ShowOpenFailure(const std::string& AFileName, const std::exception_ptr& AFailure);
  std::string AskFileToOpen(const std::string& ATitle);
  std::optional<TVesmarInvModelType> RememberedModelType(const std::string& AFileName) const;
  void RememberModelType(const std::string& AFileName, const TVesmarInvModelType& AType);
  void Adopt(std::unique_ptr<TSurveyDocument> ADocument);
  void DocumentChanged(std::optional<std::size_t> AModel);
  // Lays the section's plot area out over the box as it is now, painted yet or not.
  void LayOutSection();
  void UpdateTitle();
  void UpdateCommands();
  void ReportFailure(const std::string& AWhat);
  void CheckForUpdates();
  void ShowAbout();
  void Log(const std::string& ALine);
  std::string SoundingCell(int ACol, int ARow) const;
  std::string LayerCell(int ACol, int ARow) const;
  std::string StartFolder() const;

  std::unique_ptr<TSurveyDocument> FDocument;
  TSectionGeometry FGeometry;
  TSectionViewport FViewport;
  TSectionPainter FSectionPainter;
  // The view whose painting failed: painted empty, not again, until the view or document changes,
  // so that the exception box shows once and not at every repaint.
  std::optional<TSectionViewport> FFailedView;
  std::optional<std::size_t> FSelected;
  std::optional<TPoint> FDragFrom;
  bool FDragged = false;
  std::string FLastFolder;
  // The soundings grid's columns after the model's number.
  std::vector<survey::Field> FSoundingColumns;
  // The model types people chose for files, the latest first.
  struct TModelTypeChosen {
    std::string FileName;
    std::string LayerParams;
    std::string Extras;
  };
  std::vector<TModelTypeChosen> FModelTypesChosen;
  std::unique_ptr<TFormRegistry> FRegistry;
};

} // namespace viewer
} // namespace kiv
