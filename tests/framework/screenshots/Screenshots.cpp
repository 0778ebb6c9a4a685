#include "core/Exceptions.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/ProgressBar.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/MessageBox.h"
#include "framework/toolkit/detail/Widget.h"
#include "tests/framework/screenshots/FrameworkWindows.h"
#include "tests/framework/screenshots/UpdateWindows.h"
#include "tests/framework/support/OffscreenScreen.h"

#include <QApplication>
#include <QPixmap>
#include <cstdio>
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
  };
  bool saved = true;
  for (const Kind& kind : kinds) {
    const auto box = toolkit::MakeMessageBox(kind.type, toolkit::MessageBoxCaption(kind.type),
                                             kind.text, kind.buttons);
    saved = Save(*box, folder, kind.name) && saved;
  }
  return saved;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kiv_screenshots FOLDER\n", stderr);
    return 2;
  }
  const std::string folder = argv[1];
  kiv::test::UseOffscreenScreenUnlessSet();
  kiv::TApplication application(argc, argv);
  const bool controlsSaved = ToolkitControls(folder);
  const bool boxSaved = ExceptionBox(folder);
  const bool messagesSaved = MessageBoxes(folder);
  const bool windowsSaved = kiv::test::FrameworkWindows(folder);
  const bool downloadSaved = kiv::test::UpdateWindows(folder);
  return controlsSaved && boxSaved && messagesSaved && windowsSaved && downloadSaved ? 0 : 1;
}
