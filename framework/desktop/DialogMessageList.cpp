#include "core/TextFile.h"
#include "framework/base/RunTimeName.h"
#include "framework/desktop/Dialog.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/StandardControls.h"
#include "platform/ReplacingFile.h"

namespace kiv {

void TDialog::BuildMessageListDialogBox() {
  auto* form = new TForm(nullptr);
  FMessageListDialogBox.Reset(form);
  form->SetName(RunTimeName("Form_TForm"));
  form->SetPosition(TPosition::poDesigned);
  form->SetFormStyle(TFormStyle::fsNormal);
  form->SetBorderStyle(TFormBorderStyle::bsSizeToolWin);
  form->SetBorderIcons(0);
  form->SetCaption("Messages");
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetHeight(30);
  panel->SetAlign(TAlign::alBottom);
  FButtonClose = new TButton(form);
  FButtonClose->SetName(RunTimeName("LForm_TButton_"));
  FButtonClose->SetParent(panel);
  FButtonClose->SetLeft(4);
  FButtonClose->SetTop(2);
  FButtonClose->SetCaption("Close");
  FButtonClose->SetModalResult(mrOk);
  FButtonClose->SetDefault(true);
  // Only hidden: the window keeps its lines for the next message.
  FButtonClose->OnClick = [form] { form->Hide(); };
  FMessageListDialogBoxMessages = new TMemo(form);
  FMessageListDialogBoxMessages->SetParent(form);
  FMessageListDialogBoxMessages->SetAlign(TAlign::alClient);
  FMessageListDialogBoxMessages->Clear();
  form->Show();
  // Placed once shown, when its frame is known.
  form->SetBounds(10, 10, 800, 200);
  form->Activate();
}

void TDialog::ShowMessageListDialogBox(const std::string& AMessage, bool ASaveToFile) {
  if (FMessageListDialogBox)
    FMessageListDialogBox.Get()->Show();
  else
    BuildMessageListDialogBox();
  FMessageListDialogBoxMessages->AddLine(AMessage);
  if (!ASaveToFile)
    return;
  try {
    platform::ReplacingFile file(AMessage);
    file.Write(JoinCrLfLines(FMessageListDialogBoxMessages->Lines()));
    file.Commit();
  } catch (...) {
    // The list is only a convenience copy: a failed save keeps the old file and says nothing.
  }
}

} // namespace kiv
