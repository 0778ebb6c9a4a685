#include "framework/desktop/DialogForms.h"

#include "framework/base/RunTimeName.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/StandardControls.h"

namespace kiv {

TForm* CreateDialogForm(const std::string& AName, const std::string& ACaption, int AWidth,
                        int AHeight) {
  auto* form = new TForm(Application().MainForm());
  form->SetName(AName);
  form->SetPosition(TPosition::poScreenCenter);
  form->SetFormStyle(TFormStyle::fsNormal);
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  form->SetBorderIcons(0);
  form->SetCaption(ACaption);
  form->SetWidth(AWidth);
  form->SetHeight(AHeight);
  SetOuterSizeOnShow(*form, AWidth, AHeight);
  return form;
}

TButton* CreateDialogButton(TWinControl& AParent, const std::string& ANamePrefix,
                            const std::string& ACaption, int ALeft, int ATop, int AWidth,
                            int AHeight, TModalResult AModalResult) {
  // Owned by the form, so that Enter and Escape on the form find it.
  TComponent* owner = &AParent;
  for (TWinControl* control = &AParent; control; control = control->Parent())
    if (dynamic_cast<TForm*>(control))
      owner = control;
  auto* button = new TButton(owner);
  button->SetName(RunTimeName(ANamePrefix));
  button->SetParent(&AParent);
  button->SetBounds(ALeft, ATop, AWidth, AHeight);
  button->SetCaption(ACaption);
  button->SetModalResult(AModalResult);
  return button;
}

void SetOuterSizeOnShow(TForm& AForm, int AWidth, int AHeight) {
  AForm.OnShow = [&AForm, AWidth, AHeight, applied = false]() mutable {
    if (applied)
      return;
    applied = true;
    AForm.SetWidth(AWidth);
    AForm.SetHeight(AHeight);
  };
}

} // namespace kiv
