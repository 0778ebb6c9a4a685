#include "framework/desktop/Dialog.h"
#include "testing/gui/DesktopWindows.h"
#include "testing/gui/ModalAnswer.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace kiv {
namespace {

using test::ModalAnswer;
using test::WindowCaptioned;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

std::vector<std::string> Entries(QWidget& window) {
  std::vector<std::string> entries;
  const auto* list = window.findChild<QListWidget*>();
  for (int i = 0; i < list->count(); ++i)
    entries.push_back(list->item(i)->text().toStdString());
  return entries;
}

int Bar(QWidget& window) {
  return window.findChild<QProgressBar*>()->value();
}

TEST(TDialog, ProgressShowsTheLinesTheCounterAndTheBarInItsWindow) {
  TDialog dialog(nullptr);
  EXPECT_TRUE(dialog.Progress(5, 10, "copying\r\nfile 5", "Work", "Stop"));
  QPointer<QWidget> window = WindowCaptioned("Work");
  ASSERT_TRUE(window);
  EXPECT_TRUE(test::Alive(window).isVisible());
  EXPECT_EQ(Entries(test::Alive(window)), (std::vector<std::string>{"copying", "file 5", "5/10"}));
  EXPECT_EQ(Bar(test::Alive(window)), 50);
  EXPECT_EQ(test::Alive(window).frameGeometry().width(), 400);
  EXPECT_EQ(test::Alive(window).height(), 160);
  const auto* list = test::Alive(window).findChild<QListWidget*>();
  EXPECT_EQ(list->geometry(), QRect(10, 10, 380, 72));
  EXPECT_EQ(list->frameShape(), QFrame::NoFrame);
  EXPECT_EQ(list->palette().color(QPalette::Base), QColor(Qt::white));
  EXPECT_EQ(test::Alive(window).findChild<QProgressBar*>()->geometry(), QRect(10, 92, 380, 24));
  auto* stop = test::Alive(window).findChild<QPushButton*>();
  EXPECT_EQ(stop->geometry(), QRect(10, 126, 380, 24));
  EXPECT_TRUE(stop->isFlat());
  EXPECT_EQ(stop->text().toStdString(), "Stop");
  EXPECT_TRUE(dialog.Progress(0, 10, "copying\nfile 0", "", "Stop"));
  EXPECT_EQ(Entries(test::Alive(window)), (std::vector<std::string>{"copying", "file 0", "10"}));
  EXPECT_EQ(test::Alive(window).windowTitle().toStdString(),
            "Work"); // an empty title keeps the caption
  EXPECT_TRUE(dialog.Progress(10, 10, "done", "Work", "Stop"));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST(TDialog, ProgressBarRoundsTiesToEvenForAnyIndex) {
  struct Case {
    std::int64_t index;
    std::int64_t total;
    int bar;
  };
  const Case cases[] = {
      {1, 8, 12},           {3, 8, 38},   {1, 3, 33}, {2, 3, 67}, {kMax - 1, kMax, 100},
      {kMax / 2, kMax, 50}, {1, kMax, 0}, {0, 1, 0}};
  TDialog dialog(nullptr);
  for (const Case& c : cases) {
    dialog.Progress(c.index, c.total, "step", "Bar", "Stop");
    EXPECT_EQ(Bar(*WindowCaptioned("Bar")), c.bar) << c.index << " of " << c.total;
  }
  dialog.Progress(0, 0, "", "", "");
}

TEST(TDialog, ProgressClosesAndAnswersTrueForAnIndexAtOrPastTheTotalOrNegative) {
  struct Case {
    std::int64_t index;
    std::int64_t total;
  };
  const Case cases[] = {{0, 0}, {-1, 10}, {11, 10}, {kMax, kMax}, {0, -1}};
  TDialog dialog(nullptr);
  for (const Case& c : cases) {
    ASSERT_TRUE(dialog.Progress(1, 2, "step", "Closing", "Stop"));
    EXPECT_TRUE(dialog.Progress(c.index, c.total, "step", "Closing", "Stop"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(WindowCaptioned("Closing"), nullptr) << c.index << " of " << c.total;
  }
}

TEST(TDialog, ProgressWithFewerLinesThanBeforeKeepsTheLeftOverEntries) {
  TDialog dialog(nullptr);
  dialog.Progress(1, 4, "a\nb\nc", "Lines", "Stop");
  dialog.Progress(2, 4, "d", "Lines", "Stop");
  EXPECT_EQ(Entries(*WindowCaptioned("Lines")), (std::vector<std::string>{"d", "b", "c", "2/4"}));
  dialog.Progress(4, 4, "", "", "");
}

TEST(TDialog, ProgressShortensALongPathToTheListWidth) {
  TDialog dialog(nullptr);
  std::string path = "/home";
  for (int i = 0; i < 20; ++i)
    path += "/folder" + std::to_string(i);
  path += "/model.mod";
  dialog.Progress(1, 2, path, "Paths", "Stop");
  QWidget& window = *WindowCaptioned("Paths");
  const auto* list = window.findChild<QListWidget*>();
  const std::string shown = list->item(0)->text().toStdString();
  EXPECT_EQ(shown.rfind("/", 0), 0u) << shown;
  EXPECT_NE(shown.find("..."), std::string::npos) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 10), "/model.mod") << shown;
  EXPECT_LE(list->fontMetrics().horizontalAdvance(QString::fromStdString(shown)),
            list->viewport()->width());
  dialog.Progress(2, 2, "", "", "");
}

TEST(TDialog, ProgressWindowClosedByTheWindowManagerIsHiddenAndShownAgain) {
  TDialog dialog(nullptr);
  dialog.Progress(1, 3, "one", "Closed", "Stop");
  QPointer<QWidget> window = WindowCaptioned("Closed");
  test::Alive(window).close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(window);
  EXPECT_TRUE(dialog.Progress(2, 3, "two", "Closed", "Stop"));
  EXPECT_TRUE(test::Alive(window).isVisible());
  EXPECT_EQ(Entries(test::Alive(window)), (std::vector<std::string>{"two", "2/3"}));
  dialog.Progress(3, 3, "", "", "");
}

// Presses the progress window's Stop button from a timer, so that the press comes while Progress
// handles the window's messages.
void PressStopSoon() {
  QTimer::singleShot(0, [] {
    if (QWidget* window = WindowCaptioned("Stopping"))
      window->findChild<QPushButton*>()->click();
  });
}

TEST(TDialog, ProgressStopAnsweredNoGoesOnAndYesStops) {
  struct Case {
    int answer;
    bool result;
  };
  for (const Case c : {Case{QMessageBox::No, true}, Case{QMessageBox::Yes, false}}) {
    TDialog dialog(nullptr);
    ASSERT_TRUE(dialog.Progress(1, 10, "one", "Stopping", "Stop"));
    std::string asked;
    {
      ModalAnswer answer(test::ClickMessageBoxButton(c.answer, &asked));
      PressStopSoon();
      EXPECT_EQ(dialog.Progress(2, 10, "two", "Stopping", "Stop"), c.result);
    }
    EXPECT_EQ(asked, "Stop?");
    EXPECT_EQ(dialog.Progress(3, 10, "three", "Stopping", "Stop"), c.result);
    EXPECT_TRUE(dialog.Progress(10, 10, "", "", ""));
    EXPECT_TRUE(dialog.Progress(1, 10, "again", "Stopping", "Stop")); // a new run goes on
    dialog.Progress(10, 10, "", "", "");
  }
}

TEST(TDialog, ProgressClosedWhileItsStopQuestionIsOpenIsHiddenAtOnceAndFreedAfterTheClick) {
  TDialog dialog(nullptr);
  ASSERT_TRUE(dialog.Progress(1, 10, "one", "Stopping", "Stop"));
  QPointer<QWidget> window = WindowCaptioned("Stopping");
  bool hiddenAtOnce = false;
  {
    ModalAnswer answer([&](QWidget& box) {
      EXPECT_TRUE(dialog.Progress(10, 10, "", "", ""));
      hiddenAtOnce = window && !test::Alive(window).isVisible();
      test::ClickMessageBoxButton(QMessageBox::Yes)(box);
    });
    PressStopSoon();
    dialog.Progress(2, 10, "two", "Stopping", "Stop");
  }
  EXPECT_TRUE(hiddenAtOnce);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(dialog.Progress(1, 10, "again", "Stopping", "Stop"));
  dialog.Progress(10, 10, "", "", "");
}

} // namespace
} // namespace kiv
