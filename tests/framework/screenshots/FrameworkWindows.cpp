#include "tests/framework/screenshots/FrameworkWindows.h"

#include "framework/desktop/KivForm_.h"
#include "framework/desktop/ProgressForm_.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/Widget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace kiv::test {

namespace {

using toolkit::QtWidget;

bool SavePixmap(const QPixmap& picture, const std::string& folder, const std::string& name) {
  const std::string path = folder + "/" + name + ".png";
  const bool saved = picture.save(QString::fromStdString(path));
  std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
  return saved;
}

bool SaveForm(TForm& form, const std::string& folder, const std::string& name) {
  form.Show();
  QCoreApplication::processEvents();
  const bool saved = SavePixmap(QtWidget(form).grab(), folder, name);
  form.Hide();
  return saved;
}

bool ProgressWindows(const std::string& folder) {
  bool saved = true;
  {
    TProgressForm fresh(nullptr);
    saved = SaveForm(fresh, folder, "progress-fresh") && saved;
  }
  {
    TProgressForm levels(nullptr);
    levels.SetMainLabel("Importing survey data:");
    levels.SetAbortCheckActive(true);
    levels.ShowPBar(true, 2);
    levels.ShowPBar(true, 3);
    levels.NumSteps(4, 2);
    levels.NumSteps(10, 3);
    levels.Step("Line 3 of 5", 1);
    levels.Step("Line 3 of 5", 1);
    levels.Step("Line 3 of 5", 1);
    levels.Step("Sounding 2 of 4", 2);
    levels.Step("Sounding 2 of 4", 2);
    for (int i = 0; i < 7; ++i)
      levels.Step("Reading layer " + std::to_string(i + 1), 3);
    saved = SaveForm(levels, folder, "progress-three-levels-abort") && saved;
  }
  {
    TProgressForm textLine(nullptr);
    textLine.ShowPBar(false, 2);
    textLine.Step("Reading job1.mod");
    textLine.Step("Checking models", 2);
    saved = SaveForm(textLine, folder, "progress-level2-text") && saved;
  }
  return saved;
}

// Runs show; once its window is up, take pictures the windows and ends the show.
void WhileShown(const std::function<void()>& show, const std::function<void()>& take) {
  QTimer::singleShot(50, take);
  show();
}

// A semi-modal form beside the program's other window, which stays enabled.
bool SemiModalForm(const std::string& folder) {
  TKivForm main(nullptr);
  main.SetCaption("Survey");
  main.SetClientWidth(300);
  main.SetClientHeight(160);
  auto* note = new TLabel(&main);
  note->SetParent(&main);
  note->SetCaption("Still usable while Layer settings is open");
  note->SetLeft(8);
  note->SetTop(8);
  auto* button = new TButton(&main);
  button->SetParent(&main);
  button->SetCaption("Plot");
  button->SetLeft(8);
  button->SetTop(32);
  main.Show();
  TKivForm settings(nullptr);
  settings.SetCaption("Layer settings");
  settings.SetUseLockedModalMode(false);
  settings.SetClientWidth(240);
  settings.SetClientHeight(120);
  auto* ok = new TButton(&settings);
  ok->SetParent(&settings);
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  ok->SetLeft(150);
  ok->SetTop(85);
  bool saved = false;
  WhileShown([&] { settings.ShowModal(); },
             [&] {
               // Each window under a title strip, as a window manager would frame it.
               const auto framed = [](TForm& form, const QString& title) {
                 const QPixmap client = QtWidget(form).grab();
                 QPixmap picture(client.width(), client.height() + 24);
                 picture.fill(QColor(60, 90, 140));
                 QPainter painter(&picture);
                 painter.setPen(Qt::white);
                 painter.drawText(QRect(8, 0, client.width() - 8, 24), Qt::AlignVCenter, title);
                 painter.drawPixmap(0, 24, client);
                 return picture;
               };
               const QPixmap left = framed(main, "Survey (enabled)");
               const QPixmap right = framed(settings, "Layer settings (semi-modal)");
               QPixmap both(left.width() + 16 + right.width(),
                            std::max(left.height(), right.height()));
               both.fill(Qt::darkGray);
               QPainter painter(&both);
               painter.drawPixmap(0, 0, left);
               painter.drawPixmap(left.width() + 16, 0, right);
               painter.end();
               saved = QtWidget(main).isEnabled() && SavePixmap(both, folder, "semi-modal-form");
               ok->Click();
             });
  main.Hide();
  return saved;
}

// F1 in a form of a program without a help index.
bool WikiHelpInfoBox(const std::string& folder) {
  TKivForm form(nullptr);
  form.SetCaption("Data import");
  form.Show();
  bool saved = false;
  WhileShown(
      [&] {
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(&QtWidget(form), &f1);
      },
      [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
          saved = SavePixmap(box->grab(), folder, "wiki-help-info");
          box->close();
        }
      });
  form.Hide();
  return saved;
}

} // namespace

bool FrameworkWindows(const std::string& folder) {
  const bool progressSaved = ProgressWindows(folder);
  const bool semiModalSaved = SemiModalForm(folder);
  const bool infoSaved = WikiHelpInfoBox(folder);
  return progressSaved && semiModalSaved && infoSaved;
}

} // namespace kiv::test
