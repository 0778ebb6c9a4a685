#include "framework/toolkit/detail/MessageBox.h"

#include "framework/toolkit/Application.h"
#include "framework/toolkit/detail/Widget.h"

namespace kiv::toolkit {

std::string MessageBoxCaption(TMsgDlgType AType) {
  switch (AType) {
  case TMsgDlgType::mtWarning:
    return "Warning";
  case TMsgDlgType::mtError:
    return "Error";
  case TMsgDlgType::mtInformation:
    return "Information";
  default:
    return "Confirm";
  }
}

std::unique_ptr<QMessageBox> MakeMessageBox(TMsgDlgType AType, const std::string& ACaption,
                                            const std::string& AText, TMsgDlgButtons AButtons) {
  QMessageBox::Icon icon = QMessageBox::Question;
  if (AType == TMsgDlgType::mtWarning)
    icon = QMessageBox::Warning;
  else if (AType == TMsgDlgType::mtError)
    icon = QMessageBox::Critical;
  else if (AType == TMsgDlgType::mtInformation)
    icon = QMessageBox::Information;
  QMessageBox::StandardButtons buttons;
  if (AButtons & mbYes)
    buttons |= QMessageBox::Yes;
  if (AButtons & mbNo)
    buttons |= QMessageBox::No;
  if (AButtons & mbOK)
    buttons |= QMessageBox::Ok;
  if (AButtons & mbCancel)
    buttons |= QMessageBox::Cancel;
  if (AButtons & mbSave)
    buttons |= QMessageBox::Save;
  if (AButtons & mbDiscard)
    buttons |= QMessageBox::Discard;
  auto box =
      std::make_unique<QMessageBox>(icon, toolkit::ToQt(ACaption), toolkit::ToQt(AText), buttons);
  // A message is text, never markup, whatever it holds.
  box->setTextFormat(Qt::PlainText);
  return box;
}

std::unique_ptr<QMessageBox> MakeExceptionBox(const std::exception_ptr& AFailure) {
  auto box =
      MakeMessageBox(TMsgDlgType::mtError, Application().Title(), ExceptionBoxText(AFailure), mbOK);
  box->setObjectName("ExceptionBox");
  return box;
}

} // namespace kiv::toolkit
