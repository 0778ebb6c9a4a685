#include "framework/toolkit/Dialogs.h"

#include "framework/toolkit/detail/MessageBox.h"
#include "framework/toolkit/detail/Widget.h"

#include <QFileDialog>
#include <QStringList>

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
  case QMessageBox::Save:
    return mrSave;
  case QMessageBox::Discard:
    return mrDiscard;
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

TOpenDialog::TOpenDialog(TComponent* AOwner) : TOpenDialog(AOwner, false) {}

TOpenDialog::TOpenDialog(TComponent* AOwner, bool ASaving) : TComponent(AOwner), FSaving(ASaving) {}

TOpenDialog::~TOpenDialog() = default;

namespace {

// "Model files|*.mod;*.mo2|All|*.*" as Qt's filters: "Model files (*.mod *.mo2)", "All (*.*)".
QStringList QtFilters(const std::string& filter) {
  QStringList filters;
  const QStringList parts = toolkit::ToQt(filter).split(QChar('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i] + " (" + QString(parts[i + 1]).replace(QChar(';'), QChar(' ')) + ")";
  return filters;
}

} // namespace

bool TOpenDialog::Execute() {
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(FSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (FSaving)
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setWindowTitle(toolkit::ToQt(Title));
  if (!InitialDir.empty())
    dialog.setDirectory(toolkit::ToQt(InitialDir));
  const QStringList filters = QtFilters(Filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
      dialog.selectNameFilter(filters[FilterIndex - 1]);
  }
  dialog.setDefaultSuffix(toolkit::ToQt(DefaultExt));
  if (!FileName.empty())
    dialog.selectFile(toolkit::ToQt(FileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return false;
  FileName = dialog.selectedFiles().constFirst().toStdString();
  // The dialog names the chosen filter as it shows it, without its patterns.
  const QString chosen = dialog.selectedNameFilter();
  for (qsizetype i = 0; i < filters.size(); ++i)
    if (filters[i] == chosen || filters[i].startsWith(chosen + " (")) {
      FilterIndex = static_cast<int>(i) + 1;
      break;
    }
  return true;
}

TSaveDialog::TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner, true) {}

} // namespace kiv
