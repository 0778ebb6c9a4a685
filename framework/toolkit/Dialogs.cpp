#include "framework/toolkit/Dialogs.h"

#include "framework/toolkit/detail/MessageBox.h"

namespace kiv {

namespace {

TModalResult ResultOf(int button) {
  switch (button) {
  case QMessageBox::Yes:
    return mrYes;
  case QMessageBox::No:
    return mrNo;
  case QMessageBox::Ok:
    return mrOk;
  default:
    return mrCancel;
  }
}

TModalResult Show(QMessageBox& box) {
  box.exec();
  return ResultOf(box.standardButton(box.clickedButton()));
}

} // namespace

TModalResult MessageDlg(const std::string& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons) {
  const auto box =
      toolkit::MakeMessageBox(AType, toolkit::MessageBoxCaption(AType), AMessage, AButtons);
  return Show(*box);
}

TModalResult MessageDlgPos(const std::string& AMessage, TMsgDlgType AType, TMsgDlgButtons AButtons,
                           int AX, int AY) {
  const auto box =
      toolkit::MakeMessageBox(AType, toolkit::MessageBoxCaption(AType), AMessage, AButtons);
  box->move(AX, AY); // a moved box is not centred again when shown
  return Show(*box);
}

} // namespace kiv
