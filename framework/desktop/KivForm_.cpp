#include "framework/desktop/KivForm_.h"

#include "core/Escalation.h"
#include "core/FileNames.h"
#include "framework/desktop/testing/SupportContactSeam.h"
#include "framework/toolkit/ComponentGuard.h"
#include "framework/toolkit/Dialogs.h"
#include "platform/AsciiText.h"

namespace kiv {

namespace {

// Where users of the suite get help; set by the build (empty unless the build names one, and then
// the F1 message names none).
constexpr const char* kSupportContact = KIV_SUPPORT_CONTACT;

// One sibling program keeps every window above its parent.
bool InPopupModeProgram() {
  const std::string program = platform::AsciiUpperCase(ExtractFileName(Application().ExeName()));
  return program.find("CORVALE") != std::string::npos;
}

} // namespace

TKivForm::TKivForm(TComponent* iOwner) : TForm(iOwner) {
  if (InPopupModeProgram())
    PopupMode = TPopupMode::pmExplicit;
  KeyPreview = true;
}

void TKivForm::SetWikiHelpFormName(const std::string& AValue) {
  GuardEscalating(ClassName(), "SetWikiHelpFormName", [&] { FWikiHelpFormName = AValue; });
}

void TKivForm::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  GuardEscalating(ClassName(), "KeyDown", [&] {
    if (Key != VK_F1 || !FWikiHelpEnabled) {
      TForm::KeyDown(Key, Shift);
      return;
    }
    if (!ShowWikiHelp())
      MessageDlg(WikiHelpUnavailableText(desktop::testing::supportContact != nullptr
                                             ? desktop::testing::supportContact
                                             : kSupportContact),
                 TMsgDlgType::mtInformation, mbOK);
  });
}

TModalResult TKivForm::ShowModal() {
  return FUseLockedModalMode ? TForm::ShowModal() : ShowSemiModal();
}

// Every other window stays usable: the form runs its own message loop instead of the toolkit's
// modal one. A window event inside the loop may destroy the form; then nothing of it is touched.
TModalResult TKivForm::ShowSemiModal() {
  const TComponentGuard<TKivForm> alive(this);
  const std::string className = ClassName();
  const auto end = [&] {
    SetFormState(FormState() & ~fsModal);
    Hide();
  };
  try {
    GuardWrapping(className, "ShowModal", [&] {
      Show();
      SetFormState(FormState() | fsModal);
      NotifyActivate();
      if (!alive)
        return;
      SetModalResult(mrNone);
      TApplication& application = Application();
      do {
        // A program that is terminating gets no more messages to wait for.
        if (!application.Terminated())
          application.HandleMessage();
        if (!alive)
          return;
        if (application.Terminated())
          SetModalResult(mrCancel);
        else if (ModalResult() != mrNone)
          CloseModal();
        if (!alive)
          return;
      } while (ModalResult() == mrNone);
      NotifyDeactivate();
    });
  } catch (...) {
    if (alive)
      end();
    throw;
  }
  if (!alive)
    return mrCancel;
  end();
  return ModalResult();
}

TKivFormInfo::TKivFormInfo(TComponent* AOwner, bool iIsInWindowList)
    : TComponent(AOwner), FIsInWindowList(iIsInWindowList) {}

} // namespace kiv
