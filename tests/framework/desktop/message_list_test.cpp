#include "framework/desktop/Dialog.h"
#include "platform/testing/FaultInjection.h"
#include "testing/gui/DesktopWindows.h"
#include "testing/support/TempDir.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using platform::testing::Fault;
using platform::testing::Operation;
using platform::testing::ScopedFault;
using test::ChildWithText;
using test::WindowCaptioned;

std::string ListText(QWidget& window) {
  return window.findChild<QPlainTextEdit*>()->toPlainText().toStdString();
}

TEST(TDialog, MessageListShowsAtTheTopLeftWithItsSizeAndCloseOnlyHidesIt) {
  TDialog dialog(nullptr);
  dialog.ShowMessageListDialogBox("first", false);
  QPointer<QWidget> window = WindowCaptioned("Messages");
  ASSERT_TRUE(window);
  EXPECT_TRUE(test::Alive(window).isVisible());
  EXPECT_EQ(test::Alive(window).frameGeometry(), QRect(10, 10, 800, 200));
  auto* close = ChildWithText<QPushButton>(test::Alive(window), "Close");
  EXPECT_EQ(close->pos(), QPoint(4, 2));
  close->click();
  ASSERT_TRUE(window);
  EXPECT_FALSE(test::Alive(window).isVisible());
  dialog.ShowMessageListDialogBox("second", false);
  EXPECT_TRUE(test::Alive(window).isVisible());
  EXPECT_EQ(ListText(test::Alive(window)), "first\nsecond");
}

TEST(TDialog, MessageListClosedByTheWindowManagerIsOnlyHidden) {
  TDialog dialog(nullptr);
  dialog.ShowMessageListDialogBox("first", false);
  QPointer<QWidget> window = WindowCaptioned("Messages");
  test::Alive(window).close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(window);
  EXPECT_FALSE(test::Alive(window).isVisible());
  dialog.ShowMessageListDialogBox("second", false);
  EXPECT_TRUE(test::Alive(window).isVisible());
  EXPECT_EQ(ListText(test::Alive(window)), "first\nsecond");
}

TEST(TDialog, MessageListSavedToTheFileItsLastLineNames) {
  test::TempDir folder;
  const std::string path = folder / "messages.txt";
  TDialog dialog(nullptr);
  dialog.ShowMessageListDialogBox("started", false);
  dialog.ShowMessageListDialogBox(path, true);
  EXPECT_EQ(test::ReadFile(path), "started\r\n" + path + "\r\n");
}

TEST(TDialog, MessageListFailedSaveKeepsTheOldFileAndSaysNothing) {
  test::TempDir folder;
  const std::string path = folder / "messages.txt";
  test::WriteFile(path, "old\r\n");
  TDialog dialog(nullptr);
  {
    ScopedFault full(Operation::Write, Fault::Error(std::errc::no_space_on_device));
    dialog.ShowMessageListDialogBox(path, true);
    EXPECT_TRUE(full.Injected());
  }
  EXPECT_EQ(test::ReadFile(path), "old\r\n");
  EXPECT_EQ(ListText(*WindowCaptioned("Messages")), path);
}

} // namespace
} // namespace kiv
