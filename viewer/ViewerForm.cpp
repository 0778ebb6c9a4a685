#include "viewer/ViewerForm.h"

#include "core/FileNames.h"
#include "core/NumberFormat.h"
#include "framework/base/Debug.h"
#include "framework/base/Information.h"
#include "framework/desktop/My.h"
#include "framework/formregistry/FormRegistry_.h"
#include "framework/toolkit/Dialogs.h"
#include "survey/ParameterNames.h"
#include "viewer/NumberText.h"
#include "viewer/SectionPainter.h"
#include "viewer/SoundingPainter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kiv::viewer {
namespace {

constexpr double kZoomPerNotch = 1.25;
constexpr int kWheelNotch = 120;
// A press that moves less than this is a click, not a drag.
constexpr int kDragThreshold = 3;

// The catalogue's sounding fields that the soundings grid shows: position, layer count and data
// file; the extra parameters stay for the export.
constexpr std::size_t kSoundingFieldsShown = 5;

// The soundings grid's columns: the catalogue's first sounding fields and the first layer's
// resistivity, of any catalogue (the model type changes none of them).
std::vector<survey::Field> SoundingColumns(const survey::FieldCatalogue& catalogue) {
  const std::vector<survey::Field>& fields = catalogue.SoundingFields();
  std::vector<survey::Field> columns(
      fields.begin(),
      fields.begin() + static_cast<std::ptrdiff_t>(std::min(fields.size(), kSoundingFieldsShown)));
  for (const survey::Field& field : catalogue.LayerFields())
    if (field.source == survey::FieldSource::Param && field.group == 0 &&
        field.part == survey::FieldPart::Value)
      columns.push_back(field);
  return columns;
}

std::string CellText(const survey::Cell& cell) {
  switch (cell.kind) {
  case survey::Cell::Kind::Integer:
    return std::to_string(static_cast<long long>(cell.number));
  case survey::Cell::Kind::Single:
    return NumberText(cell.number);
  case survey::Cell::Kind::Double:
    return FloatToStr(cell.number);
  case survey::Cell::Kind::Text:
    return std::string(cell.text);
  default:
    return {};
  }
}

TMenuItem* Item(TComponent* owner, TMenuItem& parent, const std::string& caption,
                std::function<void()> click, const std::string& shortCut = {}) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  if (!shortCut.empty())
    item->SetShortCut(shortCut);
  item->OnClick = std::move(click);
  parent.Add(*item);
  return item;
}

TMenuItem* TopMenu(TComponent* owner, TMainMenu& bar, const std::string& caption) {
  auto* menu = new TMenuItem(owner);
  menu->SetCaption(caption);
  bar.Add(*menu);
  return menu;
}

void Separator(TComponent* owner, TMenuItem& parent) {
  auto* item = new TMenuItem(owner);
  item->SetCaption("-");
  parent.Add(*item);
}

} // namespace

TKivViewForm::TKivViewForm(TComponent* AOwner) : TKivForm(AOwner) {
  SetName("KivView");
  SetCaption("kivview");
  SetBounds(80, 60, 1280, 800);
  SetWikiHelpFormName("KivView");
  BuildMenus();
  BuildPanes();
  BindSection();
  BindGrids();
  SetAcceptFiles(true);
  OnDropFiles = [this](const std::vector<std::string>& AFileNames) {
    if (!AFileNames.empty())
      OpenFile(AFileNames.front());
  };
  OnCloseQuery = [this](bool& CanClose) {
    CanClose = ConfirmDiscard();
    if (CanClose)
      SaveSettings();
  };
  OnShow = [this] { RestoreSettings(); };
  UpdateTitle();
  UpdateCommands();
}

TKivViewForm::~TKivViewForm() {
  // The boxes outlive this part of the window: nothing of it may be painted or asked once gone.
  SectionBox->OnPaint = nullptr;
  SoundingBox->OnPaint = nullptr;
  SoundingsGrid->OnGetText = nullptr;
  LayerGrid->OnGetText = nullptr;
}

void TKivViewForm::BuildMenus() {
  MainMenu = new TMainMenu(this);
  FileMenu = TopMenu(this, *MainMenu, "&File");
  Item(
      this, *FileMenu, "&Open...",
      [this] {
        const std::string path = AskFileToOpen("Open a model file");
        if (!path.empty())
          OpenFile(path);
      },
      "Ctrl+O");
  OpenAsItem = Item(this, *FileMenu, "Open &as...", [this] {
    const std::string path = AskFileToOpen("Open a model file as");
    if (!path.empty())
      OpenFileAs(path);
  });
  RecentMenu = Item(this, *FileMenu, "&Recent files", nullptr);
  RecentFiles = new TRecentFilesMenu(this, *RecentMenu, 8);
  RecentFiles->OnOpen = [this](const std::string& AFileName) { OpenFile(AFileName); };
  RecentFiles->OnChange = [this] { SaveSettings(); };
  Item(
      this, *FileMenu, "&Save", [this] { SaveDocument(); }, "Ctrl+S");
  Item(
      this, *FileMenu, "Save &As...", [this] { SaveDocumentAs(); }, "Ctrl+Shift+S");
  Separator(this, *FileMenu);
  Item(this, *FileMenu, "&Export picture...", [this] {
    TSaveDialog dialog(this);
    dialog.Title = "Export the section";
    dialog.Filter = "PNG pictures (*.png)|*.png";
    dialog.DefaultExt = "png";
    dialog.InitialDir = StartFolder();
    if (dialog.Execute())
      ExportPicture(dialog.FileName);
  });
  Separator(this, *FileMenu);
  Item(this, *FileMenu, "E&xit", [this] { Close(); });

  TMenuItem* edit = TopMenu(this, *MainMenu, "&Edit");
  UndoItem = Item(
      this, *edit, "&Undo", [this] { Undo(); }, "Ctrl+Z");
  RedoItem = Item(
      this, *edit, "&Redo", [this] { Redo(); }, "Ctrl+Y");

  TMenuItem* view = TopMenu(this, *MainMenu, "&View");
  ViewSectionItem = Item(this, *view, "&Section", [this] {
    ViewSectionItem->SetChecked(!ViewSectionItem->Checked());
    SectionBox->SetVisible(ViewSectionItem->Checked());
  });
  ViewSoundingItem = Item(this, *view, "S&ounding", [this] {
    ViewSoundingItem->SetChecked(!ViewSoundingItem->Checked());
    SoundingSplitter->SetVisible(ViewSoundingItem->Checked());
  });
  ViewSectionItem->SetChecked(true);
  ViewSoundingItem->SetChecked(true);

  TMenuItem* tools = TopMenu(this, *MainMenu, "&Tools");
  Item(this, *tools, "&Convert to sparse style", [this] { ConvertToSparse(); });
  Item(this, *tools, "Show &log", [] { My()->Debug->SetShowLogWindow(true); });
  Item(this, *tools, "Check for &updates", [this] { CheckForUpdates(); });

  TMenuItem* help = TopMenu(this, *MainMenu, "&Help");
  Item(this, *help, "&Help", [this] { ShowWikiHelp(); });
  Item(this, *help, "&Computer summary", [] {
    MessageDlg(My()->Information->GetComputerSummary(), TMsgDlgType::mtInformation, mbOK);
  });
  Item(this, *help, "&About", [this] { ShowAbout(); });
  SetMenu(MainMenu);
}

void TKivViewForm::BuildPanes() {
  StatusBar = new TStatusBar(this);
  StatusBar->SetParent(this);
  StatusBar->AddPanel(-1);
  StatusBar->AddPanel(260);

  MainSplitter = new TSplitter(this, TSplitOrientation::soHorizontal);
  MainSplitter->SetParent(this);
  MainSplitter->SetAlign(TAlign::alClient);
  SoundingsGrid = new TVirtualStringGrid(this);
  SoundingsGrid->SetParent(MainSplitter);
  ViewSplitter = new TSplitter(this, TSplitOrientation::soVertical);
  ViewSplitter->SetParent(MainSplitter);
  SectionBox = new TPaintBox(this);
  SectionBox->SetParent(ViewSplitter);
  SoundingSplitter = new TSplitter(this, TSplitOrientation::soHorizontal);
  SoundingSplitter->SetParent(ViewSplitter);
  LayerGrid = new TVirtualStringGrid(this);
  LayerGrid->SetParent(SoundingSplitter);
  SoundingBox = new TPaintBox(this);
  SoundingBox->SetParent(SoundingSplitter);
  MainSplitter->SetSizes({420, 860});
  ViewSplitter->SetSizes({430, 300});
  SoundingSplitter->SetSizes({520, 340});
}

void TKivViewForm::BindSection() {
  SectionBox->OnPaint = [this](TCanvas& ACanvas) {
    const auto empty = [&](const std::string& AText) {
      ACanvas.Brush = {clWhite, TBrushStyle::bsSolid};
      ACanvas.FillRect({0, 0, ACanvas.Width(), ACanvas.Height()});
      ACanvas.TextOut(16, 16, AText);
    };
    if (!FDocument)
      return empty("Open a model file with File, Open... or drop one here");
    LayOutSection();
    if (FFailedView == FViewport)
      return empty("The section could not be drawn");
    try {
      FSectionPainter.Paint(ACanvas, *FDocument, FGeometry, FViewport, FSelected);
    } catch (...) {
      FFailedView = FViewport;
      empty("The section could not be drawn");
      throw;
    }
  };
  SectionBox->OnMouseWheel = [this](TShiftState, int AWheelDelta, int AX, int AY) {
    if (!FDocument)
      return;
    LayOutSection();
    FViewport.Zoom(std::pow(kZoomPerNotch, static_cast<double>(AWheelDelta) / kWheelNotch), AX, AY);
    SectionBox->Invalidate();
  };
  SectionBox->OnMouseDown = [this](TMouseButton AButton, TShiftState, int AX, int AY) {
    if (AButton == TMouseButton::mbLeft) {
      FDragFrom = TPoint{AX, AY};
      FDragged = false;
    }
  };
  SectionBox->OnMouseMove = [this](TShiftState, int AX, int AY) {
    if (!FDocument)
      return;
    LayOutSection();
    if (FDragFrom) {
      const int dx = AX - FDragFrom->X;
      const int dy = AY - FDragFrom->Y;
      if (FDragged || std::abs(dx) + std::abs(dy) >= kDragThreshold) {
        FDragged = true;
        FViewport.Pan(dx, dy);
        FDragFrom = TPoint{AX, AY};
        SectionBox->Invalidate();
      }
    }
    StatusBar->SetPanelText(0, PointerText(*FDocument, FGeometry, FViewport, AX, AY));
  };
  SectionBox->OnMouseUp = [this](TMouseButton AButton, TShiftState, int AX, int) {
    if (AButton != TMouseButton::mbLeft || !FDragFrom)
      return;
    const bool click = !FDragged;
    FDragFrom.reset();
    LayOutSection();
    if (click && FDocument)
      if (const std::optional<std::size_t> sounding = SoundingAtPixel(FGeometry, FViewport, AX))
        SelectSounding(*sounding);
  };
  SoundingBox->OnPaint = [this](TCanvas& ACanvas) {
    const std::size_t selected = FSelected.value_or(0);
    PaintSounding(ACanvas, FDocument.get(), FGeometry, FSelected ? &selected : nullptr);
  };
}

void TKivViewForm::BindGrids() {
  FSoundingColumns =
      SoundingColumns(survey::FieldCatalogue(TModFile(), survey::ModelTypeNamed({}, {})));
  SoundingsGrid->SetColCount(static_cast<int>(FSoundingColumns.size()) + 1);
  SoundingsGrid->SetColTitle(0, "Model");
  for (std::size_t c = 0; c < FSoundingColumns.size(); ++c)
    SoundingsGrid->SetColTitle(static_cast<int>(c) + 1, FSoundingColumns[c].Title());
  SoundingsGrid->SetColWidths(3, 96);
  SoundingsGrid->SetColWidths(5, 120);
  SoundingsGrid->SetRowCount(0);
  SoundingsGrid->OnGetText = [this](int ACol, int ARow) { return SoundingCell(ACol, ARow); };
  SoundingsGrid->OnSelectRow = [this](int ARow) {
    if (ARow >= 0)
      SelectSounding(static_cast<std::size_t>(ARow));
  };
  LayerGrid->SetColCount(1);
  LayerGrid->SetColTitle(0, "Layer");
  LayerGrid->SetRowCount(0);
  LayerGrid->OnGetText = [this](int ACol, int ARow) { return LayerCell(ACol, ARow); };
  LayerGrid->OnSetText = [this](int ACol, int ARow, const std::string& AText) -> std::string {
    if (!FDocument || !FSelected || ACol < 1)
      return "This value cannot be changed";
    const std::string refusal = FDocument->Edit(*FSelected, static_cast<std::size_t>(ARow),
                                                static_cast<std::size_t>(ACol - 1), AText);
    if (refusal.empty())
      DocumentChanged(FSelected);
    return refusal;
  };
}

std::string TKivViewForm::SoundingCell(int ACol, int ARow) const {
  if (!FDocument || ARow < 0 || static_cast<std::size_t>(ARow) >= FDocument->Count() || ACol < 0 ||
      static_cast<std::size_t>(ACol) > FSoundingColumns.size())
    return {};
  const auto model = static_cast<std::size_t>(ARow);
  if (ACol == 0)
    return std::to_string(model + 1);
  const survey::Field& field = FSoundingColumns[static_cast<std::size_t>(ACol) - 1];
  if (field.source != survey::FieldSource::Param)
    return CellText(FDocument->SoundingValue(model, field));
  const std::optional<double> value = FDocument->LayerValue(model, 0, field);
  return value ? NumberText(*value) : std::string();
}

std::string TKivViewForm::LayerCell(int ACol, int ARow) const {
  if (!FDocument || !FSelected || ARow < 0 ||
      static_cast<std::size_t>(ARow) >= FDocument->LayerCount(*FSelected))
    return {};
  if (ACol == 0)
    return std::to_string(ARow + 1);
  const std::optional<float> value = FDocument->Value(*FSelected, static_cast<std::size_t>(ARow),
                                                      static_cast<std::size_t>(ACol - 1));
  return value ? NumberText(*value) : std::string();
}

void TKivViewForm::SelectSounding(std::size_t ASounding) {
  if (!FDocument || ASounding >= FDocument->Count())
    return;
  FSelected = ASounding;
  SoundingsGrid->SetRow(static_cast<int>(ASounding));
  LayerGrid->SetRowCount(static_cast<int>(FDocument->LayerCount(ASounding)));
  LayerGrid->Invalidate();
  SectionBox->Invalidate();
  SoundingBox->Invalidate();
}

void TKivViewForm::LayOutSection() {
  const TRect plot = SectionPlotArea(SectionBox->ClientWidth(), SectionBox->ClientHeight());
  FViewport.SetPlot(plot.Left, plot.Top, plot.Width(), plot.Height());
}

std::optional<int> TKivViewForm::MarkerPixel() const {
  if (!FDocument || !FSelected)
    return std::nullopt;
  const TRect plot = SectionPlotArea(SectionBox->ClientWidth(), SectionBox->ClientHeight());
  TSectionViewport viewport = FViewport;
  viewport.SetPlot(plot.Left, plot.Top, plot.Width(), plot.Height());
  const double pixel = viewport.PixelOfX(FGeometry.Distance(*FSelected));
  if (pixel < plot.Left || pixel > plot.Right)
    return std::nullopt;
  return static_cast<int>(std::lround(pixel));
}

void TKivViewForm::DocumentChanged(std::optional<std::size_t> AModel) {
  FFailedView.reset();
  if (AModel && AModel != FSelected)
    SelectSounding(*AModel);
  SoundingsGrid->Invalidate();
  LayerGrid->Invalidate();
  SectionBox->Invalidate();
  SoundingBox->Invalidate();
  UpdateTitle();
  UpdateCommands();
}

void TKivViewForm::Undo() {
  if (FDocument)
    if (const std::optional<std::size_t> model = FDocument->Undo())
      DocumentChanged(model);
}

void TKivViewForm::Redo() {
  if (FDocument)
    if (const std::optional<std::size_t> model = FDocument->Redo())
      DocumentChanged(model);
}

std::string TKivViewForm::TitleText() const {
  if (!FDocument)
    return "kivview";
  return ExtractFileName(FDocument->FileName()) + (FDocument->Modified() ? "*" : "") + " - kivview";
}

void TKivViewForm::UpdateTitle() {
  SetCaption(TitleText());
  if (!FDocument) {
    StatusBar->SetPanelText(1, "");
    return;
  }
  StatusBar->SetPanelText(1, std::to_string(FDocument->Count()) + " soundings, " +
                                 (FDocument->Sparse() ? "sparse style" : "regular style"));
}

void TKivViewForm::UpdateCommands() {
  UndoItem->SetEnabled(FDocument && FDocument->CanUndo());
  RedoItem->SetEnabled(FDocument && FDocument->CanRedo());
}

} // namespace kiv::viewer
