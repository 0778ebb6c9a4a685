#include "core/Exceptions.h"
#include "framework/desktop/MY_.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Canvas.h"
#include "framework/toolkit/Containers.h"
#include "framework/toolkit/ExtraControls.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/Grids.h"
#include "framework/toolkit/Menus.h"
#include "framework/toolkit/PageControl.h"
#include "framework/toolkit/PaintBox.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/ProgressBar.h"
#include "framework/toolkit/Splitter.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/StatusBar.h"
#include "framework/toolkit/VirtualGrid.h"
#include "framework/toolkit/detail/MessageBox.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/gui/GuiTestProcess.h"
#include "tests/framework/screenshots/FrameworkWindows.h"
#include "tests/framework/screenshots/UpdateWindows.h"
#include "tests/framework/screenshots/ViewerWindows.h"

#include <QApplication>
#include <QListWidget>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

// Renders each window of the framework to <folder>/<name>.png, the way it shows on screen.
namespace {

bool Save(QWidget& window, const std::string& folder, const std::string& name) {
  window.show();
  QCoreApplication::processEvents();
  const std::string path = folder + "/" + name + ".png";
  const bool saved = window.grab().save(QString::fromStdString(path));
  window.hide();
  std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
  return saved;
}

// A form with one of each control the toolkit has.
bool ToolkitControls(const std::string& folder) {
  using namespace kiv;
  TForm form(nullptr);
  form.SetCaption("Toolkit controls");
  form.SetClientWidth(360);
  form.SetClientHeight(300);
  const auto place = [&form](TControl* control, int left, int top) {
    control->SetParent(&form);
    control->SetLeft(left);
    control->SetTop(top);
    return control;
  };
  auto* label = new TLabel(&form);
  label->SetCaption("Model file:");
  place(label, 8, 12);
  auto* edit = new TEdit(&form);
  edit->SetText("C:\\runs\\job1.mod");
  place(edit, 8 + label->Width() + 4, 8)->SetWidth(240);
  auto* check = new TCheckBox(&form);
  check->SetCaption("Header only");
  check->SetChecked(true);
  place(check, 8, 40)->SetWidth(160);
  auto* list = new TListBox(&form);
  for (const char* item : {"job1.mod", "job1.mo2", "job1.da2"})
    list->AddItem(item);
  list->SetItemIndex(0);
  place(list, 8, 66);
  auto* memo = new TMemo(&form);
  memo->AddLine("Mod file found: C:\\runs\\job1.mod");
  memo->AddLine("Modfile ok!");
  place(memo, 136, 66)->SetWidth(216);
  auto* bar = new TProgressBar(&form);
  bar->SetPosition(40);
  place(bar, 8, 172)->SetWidth(344);
  for (const auto& [caption, top] :
       {std::pair{"Regular model", 200}, std::pair{"Sparse model", 222}}) {
    auto* radio = new TRadioButton(&form);
    radio->SetCaption(caption);
    radio->SetChecked(top == 200);
    place(radio, 8, top)->SetWidth(140);
  }
  auto* combo = new TComboBox(&form);
  combo->SetStyle(TComboBoxStyle::csDropDownList);
  for (const char* unit : {"Ohm-m", "mS/m"})
    combo->AddItem(unit);
  combo->SetItemIndex(0);
  place(combo, 160, 200);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetHeight(36);
  panel->SetAlign(TAlign::alBottom);
  for (const auto& [caption, left] : {std::pair{"&OK", 4}, std::pair{"&Cancel", 83}}) {
    auto* button = new TButton(&form);
    button->SetCaption(caption);
    button->SetParent(panel);
    button->SetLeft(left);
    button->SetTop(5);
  }
  return Save(toolkit::QtWidget(form), folder, "toolkit-controls");
}

// A form with the toolkit's containers and the controls that the form settings keep.
bool ToolkitContainers(const std::string& folder) {
  using namespace kiv;
  TForm form(nullptr);
  form.SetCaption("Toolkit containers");
  form.SetClientWidth(420);
  form.SetClientHeight(300);
  auto* pages = new TPageControl(&form);
  pages->SetParent(&form);
  pages->SetAlign(TAlign::alClient);
  auto* layers = new TTabSheet(&form);
  layers->SetCaption("Layers");
  layers->SetPageControl(pages);
  auto* options = new TTabSheet(&form);
  options->SetCaption("Options");
  options->SetPageControl(pages);
  auto* tools = new TPanel(&form);
  tools->SetParent(layers);
  tools->SetHeight(30);
  tools->SetAlign(TAlign::alTop);
  auto* add = new TSpeedButton(&form);
  add->SetCaption("+");
  add->SetParent(tools);
  add->SetBounds(4, 4, 23, 22);
  auto* grid = new TStringGrid(&form);
  grid->SetParent(layers);
  grid->SetAlign(TAlign::alClient);
  grid->SetColCount(3);
  grid->SetRowCount(4);
  grid->SetColWidths(0, 40);
  for (int row = 0; row < 4; ++row) {
    grid->SetCells(0, row, std::to_string(row + 1));
    grid->SetCells(1, row, std::to_string(10 * (row + 1)) + " m");
    grid->SetCells(2, row, std::to_string(100 / (row + 1)) + " Ohm-m");
  }
  auto* frame = new TFrame(&form);
  frame->SetParent(&form);
  frame->SetHeight(110);
  frame->SetAlign(TAlign::alBottom);
  auto* box = new TGroupBox(frame);
  box->SetCaption("Run");
  box->SetParent(frame);
  box->SetBounds(8, 4, 200, 100);
  auto* name = new TLabeledEdit(frame);
  name->SetLabelCaption("Run name:");
  name->SetText("job1");
  name->SetParent(box);
  name->SetBounds(10, 24, 180, 42);
  auto* units = new TRadioGroup(frame);
  units->SetCaption("Depth in");
  units->AddItem("metres");
  units->AddItem("feet");
  units->SetItemIndex(0);
  units->SetParent(frame);
  units->SetBounds(216, 4, 196, 100);
  pages->SetActivePageIndex(0);
  return Save(toolkit::QtWidget(form), folder, "toolkit-containers");
}

// A section drawn on a paint box beside a list, split by a bar, over a status bar.
bool ToolkitDrawing(const std::string& folder) {
  using namespace kiv;
  TForm form(nullptr);
  form.SetCaption("Toolkit drawing");
  form.SetClientWidth(520);
  form.SetClientHeight(320);
  auto* status = new TStatusBar(&form);
  status->SetParent(&form);
  status->SetPanelText(status->AddPanel(140), "x = 1250 m, z = 35 m");
  status->SetPanelText(status->AddPanel(110), "42.7 Ohm-m");
  status->SetPanelText(status->AddPanel(-1), "C:\\runs\\job1.mod");
  auto* splitter = new TSplitter(&form, TSplitOrientation::soHorizontal);
  splitter->SetParent(&form);
  splitter->SetAlign(TAlign::alClient);
  auto* section = new TPaintBox(&form);
  section->SetParent(splitter);
  section->OnPaint = [](TCanvas& canvas) {
    canvas.Brush.Color = clWhite;
    canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
    const TColor layers[] = {0x3030C0, 0x3080E0, 0x40C0E0, 0x60C060, 0xC09040, 0xA04020};
    const int top = 24;
    const int bottom = canvas.Height() - 24;
    for (int x = 0; x < canvas.Width(); ++x) {
      int y = top;
      for (int layer = 0; layer < 6; ++layer) {
        const int thickness = 8 + (layer * 7 + x / 9 + layer * x / 31) % 23;
        const int next = layer == 5 ? bottom : std::min(bottom, y + thickness);
        canvas.Brush.Color = layers[layer];
        canvas.FillRect({x, y, x + 1, next});
        y = next;
      }
    }
    canvas.Pen.Color = clBlack;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle({0, top, canvas.Width(), bottom});
    canvas.Pen.Style = TPenStyle::psDot;
    for (int x = 50; x < canvas.Width(); x += 50) {
      canvas.MoveTo(x, top);
      canvas.LineTo(x, bottom - 1);
    }
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    const TPoint misfit[] = {{0, 14}, {60, 8}, {120, 16}, {180, 6}, {240, 12}, {300, 4}};
    canvas.Polyline(misfit);
    canvas.Font.Bold = true;
    canvas.TextOut(4, bottom + 4, "Section, line 3");
    canvas.Font.Bold = false;
    const std::string depth = "Depth 100 m";
    canvas.TextOut(canvas.Width() - canvas.TextWidth(depth) - 4, bottom + 4, depth);
  };
  auto* soundings = new TListBox(&form);
  for (const char* name : {"Sounding 1", "Sounding 2", "Sounding 3"})
    soundings->AddItem(name);
  soundings->SetItemIndex(1);
  soundings->SetParent(splitter);
  form.Show();
  splitter->SetSizes({380, 520 - 380});
  return Save(toolkit::QtWidget(form), folder, "toolkit-drawing");
}

// A form with a main menu over a virtual grid of many rows, one cell refused.
bool ToolkitMenuAndVirtualGrid(const std::string& folder) {
  using namespace kiv;
  TForm form(nullptr);
  form.SetCaption("Toolkit menu and virtual grid");
  form.SetClientWidth(420);
  form.SetClientHeight(260);
  auto* menu = new TMainMenu(&form);
  for (const char* caption : {"&File", "&Edit", "&View", "&Help"}) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    menu->Add(*item);
  }
  form.SetMenu(menu);
  auto* grid = new TVirtualStringGrid(&form);
  grid->SetParent(&form);
  grid->SetAlign(TAlign::alClient);
  grid->SetColCount(3);
  for (const auto& [col, title] :
       {std::pair{0, "Layer"}, std::pair{1, "Depth (m)"}, std::pair{2, "Resistivity (Ohm-m)"}})
    grid->SetColTitle(col, title);
  grid->SetColWidths(0, 60);
  grid->SetColWidths(1, 100);
  grid->SetColWidths(2, 160);
  grid->SetColEditable(2, true);
  grid->SetRowCount(100000);
  grid->OnGetText = [](int col, int row) {
    if (col == 0)
      return std::to_string(row + 1);
    return col == 1 ? std::to_string(5 * (row + 1)) : std::to_string(100 + row % 7 * 15);
  };
  grid->OnSetText = [](int, int, const std::string& text) {
    return "\"" + text + "\" is no resistivity";
  };
  grid->EditCell(2, 3, "high");
  grid->SetRow(1);
  return Save(toolkit::QtWidget(form), folder, "toolkit-menu-virtual-grid");
}

bool ExceptionBox(const std::string& folder) {
  const auto box = kiv::toolkit::MakeExceptionBox(
      std::make_exception_ptr(kiv::EPelo("The model file is locked")));
  return Save(*box, folder, "exception-box");
}

// One message box of each kind, with the buttons the framework gives it.
bool MessageBoxes(const std::string& folder) {
  using namespace kiv;
  struct Kind {
    const char* name;
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    const char* text;
  };
  const Kind kinds[] = {
      {"message-error", TMsgDlgType::mtError, mbOK, "The model file is locked\nTry again later"},
      {"message-warning", TMsgDlgType::mtWarning, mbOK, "The model has no layers"},
      {"message-information", TMsgDlgType::mtInformation, mbOK, "Boolean value = True"},
      {"message-confirmation", TMsgDlgType::mtConfirmation, mbYes | mbNo, "Stop?"},
      {"message-settings-reset", TMsgDlgType::mtInformation, mbOK,
       "Survey has updated\rApplication settings will be reset to default values"},
  };
  bool saved = true;
  for (const Kind& kind : kinds) {
    const auto box = toolkit::MakeMessageBox(kind.type, toolkit::MessageBoxCaption(kind.type),
                                             kind.text, kind.buttons);
    saved = Save(*box, folder, kind.name) && saved;
  }
  return saved;
}

// Renders the modal window that call shows, then closes it so that call returns.
bool SaveModal(const std::string& folder, const std::string& name,
               const std::function<void()>& call) {
  bool saved = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* window = QApplication::activeModalWidget();
    if (!window)
      return;
    poll.stop();
    const std::string path = folder + "/" + name + ".png";
    saved = window->grab().save(QString::fromStdString(path));
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
    window->close();
  });
  poll.start(10);
  call();
  return saved;
}

// The top-level window with that caption.
QWidget& WindowCaptioned(const char* caption) {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->windowTitle() == caption)
      return *window;
  throw std::logic_error(std::string("no window ") + caption);
}

// Every window of the dialog helpers.
bool DialogHelpers(const std::string& folder) {
  using namespace kiv;
  TDialog dialog(nullptr);
  bool saved = true;
  const auto modal = [&](const char* name, const std::function<void()>& call) {
    saved = SaveModal(folder, name, call) && saved;
  };
  modal("dialog-error", [&] { dialog.Error("The model file is locked|Try again later"); });
  modal("dialog-warning", [&] { dialog.Warning("The model has no layers"); });
  modal("dialog-information", [&] { dialog.Information(true); });
  modal("dialog-yes", [&] { dialog.Yes("Stop?"); });
  modal("dialog-exception",
        [&] { dialog.Exception_(std::make_exception_ptr(EPelo("The model file is locked"))); });
  modal("dialog-prompt", [&] { dialog.PromptForString("Model name", "Name:", "job1"); });
  modal("dialog-list", [&] {
    dialog.ShowList("Model style", {"Regular (.mod)", "Sparse (.mo2)", "Voxel (.vox)"});
  });
  TForm parent(nullptr);
  modal("dialog-line-editor", [&] {
    std::string text = "Layer 1";
    dialog.ShowEditStringLine(&parent, "Name:", text);
  });
  dialog.ShowMessageListDialogBox("Mod file found: C:\\runs\\job1.mod", false);
  dialog.ShowMessageListDialogBox("Reading mod file...", false);
  dialog.ShowMessageListDialogBox("Modfile ok!", false);
  saved = Save(WindowCaptioned("Messages"), folder, "dialog-message-list") && saved;
  dialog.Progress(5, 10, "Copying model files\r\nC:\\runs\\job1.mod", "Copying", "Stop");
  saved = Save(WindowCaptioned("Copying"), folder, "dialog-progress") && saved;
  dialog.Progress(5, 10,
                  "Searching\r\n/home/geophysicist/Documents/Surveys/2026/Northern block/"
                  "Inversion runs/Run 17 with coupling/job1.mod",
                  "Searching", "Stop");
  saved = Save(WindowCaptioned("Searching"), folder, "dialog-progress-long-path") && saved;
  dialog.Progress(10, 10, "", "", "");
  return saved;
}

// The diagnostic log's window with a few lines, as a program's aggregate shows it.
bool LogWindow(const std::string& folder) {
  using namespace kiv;
  TMy my;
  my.Debug->SetShowLogWindow(true);
  my.Debug->WriteLine("Reading mod file...", mt_Info);
  my.Debug->WriteLine("Model 3 has no layers|the defaults are used", mt_Warn);
  my.Debug->WriteLine("%d models read in %.2f s", {12, 0.25}, mt_Debug);
  my.Debug->WriteExeptionMessage(EPelo("Invalid model number"));
  return Save(WindowCaptioned("Messages"), folder, "log-window");
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kiv_screenshots FOLDER\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  const kiv::test::GuiTestProcess process;
  kiv::TApplication application(argc, argv);
  // Every group of windows renders, even after one failed, so that one run shows all failures.
  using Pictures = bool (*)(const std::string&);
  const Pictures groups[] = {ToolkitControls,
                             ToolkitContainers,
                             ToolkitDrawing,
                             ToolkitMenuAndVirtualGrid,
                             ExceptionBox,
                             MessageBoxes,
                             DialogHelpers,
                             LogWindow,
                             kiv::test::FrameworkWindows,
                             kiv::test::UpdateWindows,
                             kiv::test::ViewerWindows};
  bool saved = true;
  for (Pictures pictures : groups)
    saved = pictures(folder) && saved;
  return saved ? 0 : 1;
}
