#include "framework/desktop/Dialog.h"

#include "core/NumberFormat.h"
#include "framework/desktop/DialogForms.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Dialogs.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/Screen.h"
#include "framework/toolkit/StandardControls.h"
#include "platform/DebuggerOutput.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

namespace kiv {

namespace {

// Callers write multi-line messages as one line with "|" between the lines.
std::string Lines(std::string AMessage) {
  std::replace(AMessage.begin(), AMessage.end(), '|', '\n');
  return AMessage;
}

// The value rounded to 12 significant digits, so that the general format shows no more.
double TwelveDigits(double value) {
  if (!std::isfinite(value))
    return value;
  char text[32];
  const auto written =
      std::to_chars(std::begin(text), std::end(text), value, std::chars_format::scientific, 11);
  double rounded = value;
  std::from_chars(std::begin(text), written.ptr, rounded);
  return rounded;
}

// Frees a form made for one call once the call is done, unless a window event freed it first.
class TransientForm {
public:
  explicit TransientForm(TForm* AForm) : FForm(AForm) {}
  ~TransientForm() { delete FForm.Get(); }
  TransientForm(const TransientForm&) = delete;
  TransientForm& operator=(const TransientForm&) = delete;

  TForm* operator->() const noexcept { return FForm.Get(); }
  TForm& operator*() const noexcept { return *FForm.Get(); }
  explicit operator bool() const noexcept { return static_cast<bool>(FForm); }

private:
  TComponentGuard<TForm> FForm;
};

} // namespace

TDialog::TDialog(TComponent*) {}

TDialog::~TDialog() {
  for (const std::unique_ptr<TComponentGuard<TForm>>& closed : FProgressFormsClosed)
    delete closed->Get();
  delete FProgressForm.Get();
  delete FMessageListDialogBox.Get();
}

void TDialog::Error(const std::string& AMessage) {
  MessageDlg(Lines(AMessage), TMsgDlgType::mtError, mbOK);
}

void TDialog::Warning(const std::string& AMessage) {
  MessageDlg(Lines(AMessage), TMsgDlgType::mtWarning, mbOK);
}

void TDialog::Information(const std::string& AMessage) {
  MessageDlg(Lines(AMessage), TMsgDlgType::mtInformation, mbOK);
}

void TDialog::Information(std::int64_t AInt64) {
  MessageDlg("Integer value = " + std::to_string(AInt64), TMsgDlgType::mtInformation, mbOK);
}

void TDialog::Information(double ADouble) {
  MessageDlg("Extended value = " + FloatToStr(TwelveDigits(ADouble)), TMsgDlgType::mtInformation,
             mbOK);
}

void TDialog::Information(bool ABoolean) {
  MessageDlg(std::string("Boolean value = ") + (ABoolean ? "True" : "False"),
             TMsgDlgType::mtInformation, mbOK);
}

bool TDialog::Yes(const std::string& AMessage) {
  return MessageDlg(Lines(AMessage), TMsgDlgType::mtConfirmation, mbYes | mbNo) == mrYes;
}

void TDialog::Exception_(const std::exception_ptr& AException) {
  const std::string text = ExceptionBoxText(AException);
  MessageDlg(text, TMsgDlgType::mtError, mbOK);
  static const std::string label = " with message: \n";
  platform::WriteDebuggerOutput(text.substr(text.find(label) + label.size()));
}

std::string TDialog::PromptForString(const std::string& ATitle, const std::string& AMessage,
                                     const std::string& ADefaultValue) {
  TransientForm form(CreateDialogForm("FormPromptForString", ATitle, 500, 300));
  // The client area is sized to the controls below, which replaces the outer size.
  form->OnShow = nullptr;
  auto* label = new TLabel(&*form);
  label->SetParent(&*form);
  label->SetLeft(4);
  label->SetTop(6);
  label->SetCaption(AMessage);
  auto* edit = new TEdit(&*form);
  edit->SetParent(&*form);
  edit->SetLeft(label->Left() + label->Width() + 4);
  edit->SetTop(label->Top() - 2);
  edit->SetText(ADefaultValue);
  auto* ok = new TButton(&*form);
  ok->SetParent(&*form);
  ok->SetCaption("&OK");
  ok->SetLeft(label->Left());
  ok->SetTop(edit->Top() + edit->Height() + 4);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(&*form);
  cancel->SetParent(&*form);
  cancel->SetCaption("&Cancel");
  cancel->SetLeft(ok->Left() + ok->Width() + 4);
  cancel->SetTop(ok->Top());
  cancel->SetModalResult(mrCancel);
  form->SetClientWidth(edit->Left() + edit->Width() + 4);
  form->SetClientHeight(ok->Top() + ok->Height() + 4);
  edit->SetFocus();
  const TModalResult result = form->ShowModal();
  return form && result == mrOk ? edit->Text() : std::string();
}

int TDialog::ShowList(const std::string& ATitle, const std::vector<std::string>& AListOfChoices) {
  TransientForm form(CreateDialogForm("FormPromptForString", ATitle, 150, 250));
  form->SetBorderStyle(TFormBorderStyle::bsToolWindow);
  form->SetBorderIcons(0);
  auto* list = new TListBox(&*form);
  list->SetParent(&*form);
  list->SetAlign(TAlign::alClient);
  for (const std::string& choice : AListOfChoices)
    list->AddItem(choice);
  FShowListListBoxResult = list;
  auto* panel = new TPanel(&*form);
  panel->SetParent(&*form);
  panel->SetBevelled(false);
  panel->SetHeight(28);
  panel->SetAlign(TAlign::alBottom);
  CreateDialogButton(*panel, "AcceptButton", "Accept", 4, 2, 50, 24, mrOk)->SetDefault(true);
  CreateDialogButton(*panel, "CancelButton", "Cancel", 58, 2, 50, 24, mrCancel);
  const TModalResult result = form->ShowModal();
  const int chosen = form && result == mrOk ? list->ItemIndex() : -1;
  FShowListListBoxResult = nullptr;
  return chosen;
}

bool TDialog::ShowEditStringLine(TWinControl* AParent, const std::string& ATitle,
                                 std::string& AResultingText) {
  const TPoint pointer = MouseCursorPos();
  auto* form = new TForm(AParent);
  FEditLineForm.Reset(form);
  form->SetFormStyle(TFormStyle::fsNormal);
  form->SetBorderStyle(TFormBorderStyle::bsNone);
  // Without a frame there is no title bar for icons; asking for them would bring a frame back.
  form->SetBorderIcons(0);
  form->SetColor(clWhite);
  form->SetPosition(TPosition::poDesigned);
  form->SetLeft(pointer.X);
  form->SetTop(pointer.Y);
  // The label and the edit box belong to AParent, as callers expect; they go with the window.
  auto* title = new TLabel(AParent);
  TComponentGuard<TLabel> label(title);
  title->SetParent(form);
  title->SetLeft(2);
  title->SetTop(4);
  title->SetCaption(ATitle);
  auto* box = new TEdit(AParent);
  TComponentGuard<TEdit> edit(box);
  box->SetName("LEdit");
  box->SetParent(form);
  box->SetBounds(title->Left() + title->Width() + 2, 2, 100, box->Height());
  box->SetText(AResultingText);
  box->OnKeyPress = [form](char& Key) {
    if (Key == '\r' || Key == '\n') {
      form->SetModalResult(mrOk);
      Key = 0;
    } else if (Key == '\x1b') {
      form->SetModalResult(mrCancel);
      Key = 0;
    }
  };
  // Sized to its content.
  form->SetClientWidth(box->Left() + box->Width());
  form->SetClientHeight(std::max(box->Top() + box->Height(), title->Top() + title->Height()));
  box->SetFocus();
  const TModalResult result = form->ShowModal();
  // A window event may have freed the parent, and with it all of this, during the modal show.
  const bool accepted = FEditLineForm && edit && result == mrOk;
  if (accepted)
    AResultingText = box->Text();
  delete edit.Get();
  delete label.Get();
  delete FEditLineForm.Get();
  FEditLineForm.Reset(nullptr);
  return accepted;
}

bool TDialog::PromptUserForFileName(std::string& AFileName, const std::string& AFilter,
                                    const std::string& ADefaultExt, const std::string& ATitle,
                                    const std::string& AInitialDir, bool ASaveDialog) {
  std::unique_ptr<TOpenDialog> dialog =
      ASaveDialog ? std::make_unique<TSaveDialog>(nullptr) : std::make_unique<TOpenDialog>(nullptr);
  dialog->FileName = AFileName;
  dialog->Filter = AFilter;
  dialog->DefaultExt = ADefaultExt;
  dialog->Title = ATitle;
  dialog->InitialDir = AInitialDir;
  if (!dialog->Execute())
    return false;
  AFileName = dialog->FileName;
  return true;
}

} // namespace kiv
