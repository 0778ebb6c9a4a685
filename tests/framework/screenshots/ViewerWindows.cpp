#include "tests/framework/screenshots/ViewerWindows.h"

#include "framework/desktop/FrameworkStartup.h"
#include "framework/desktop/ProgressForm_.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/detail/Widget.h"
#include "survey/ParameterNames.h"
#include "testing/gui/DesktopWindows.h"
#include "testing/model/SurveyFile.h"
#include "testing/support/ScopedEnvironment.h"
#include "testing/support/TempDir.h"
#include "viewer/ViewerForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace kiv::test {
namespace {

bool Grab(QWidget& widget, const std::string& folder, const std::string& name) {
  QCoreApplication::processEvents();
  const std::string path = folder + "/" + name + ".png";
  const bool saved = widget.grab().save(QString::fromStdString(path));
  std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
  return saved;
}

} // namespace

bool ViewerWindows(const std::string& folder) {
  const TempDir scratch;
  const ScopedEnvironment registry("KIV_REGISTRY_DIR", scratch.path());
  const TFrameworkStartup startup(Application());
  const std::string survey = WriteSurvey({2000, 30, false}, scratch / "line100.mod");
  auto* form = new viewer::TKivViewForm(&Application());
  KivFormList->AddForm(*form, true);
  form->Show();
  form->SetBounds(40, 30, 1400, 860);

  bool saved = true;
  bool opening = false;
  form->OnOpenProgress = [&](TProgressForm& progress, std::uint64_t read, std::uint64_t total) {
    if (opening || read < total / 2)
      return;
    opening = true;
    // The bar paints at its own pace while a read runs; a layout change lets it paint now.
    progress.UpdateFormSize();
    saved = Grab(toolkit::QtWidget(progress), folder, "viewer-opening") && saved;
  };
  form->OpenFile(survey);
  saved = opening && saved;
  form->SelectSounding(700);
  form->LayerGrid->EditCell(1, 3, "-5");
  saved = Grab(toolkit::QtWidget(*form), folder, "viewer-main") && saved;
  saved = Grab(toolkit::QtWidget(*form->SoundingSplitter), folder, "viewer-sounding") && saved;

  // A survey whose one layer-parameter block several model types have: the open asks which.
  const std::string ambiguous = WriteSurvey(
      {200, 12, false, survey::ModelTypeNamed({"Sigma"}, {}), 0}, scratch / "line200.mod");
  bool chosen = false;
  QTimer choose;
  choose.setInterval(0);
  QObject::connect(&choose, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || chosen)
      return;
    chosen = true;
    saved = Grab(*dialog, folder, "viewer-open-as") && saved;
    if (QPushButton* cancel = ChildWithText<QPushButton>(*dialog, "Cancel"))
      cancel->click();
  });
  choose.start();
  form->OpenFile(ambiguous);
  choose.stop();
  saved = chosen && saved;

  form->LayerGrid->EditCell(1, 4, "25");
  bool asked = false;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || asked)
      return;
    asked = true;
    saved = Grab(*box, folder, "viewer-unsaved-changes") && saved;
    box->button(QMessageBox::Cancel)->click();
  });
  watch.start();
  form->Close();
  watch.stop();
  delete form;
  return asked && saved;
}

} // namespace kiv::test
