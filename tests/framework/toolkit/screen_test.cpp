#include "framework/toolkit/Screen.h"
#include "tests/support/Failure.h"

#include <QCursor>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace kiv {
namespace {

// The harness's fixed screen, from the offscreen plugin's configuration file.
TEST(TScreen, IsTheHarnessScreen) {
  EXPECT_EQ(Screen().Width(), 1920);
  EXPECT_EQ(Screen().Height(), 1080);
  EXPECT_EQ(Screen().PixelsPerInch(), 96);
}

TEST(TScreen, CursorOverridesEveryWindowUntilReset) {
  Screen().SetCursor(crHourGlass);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Screen().SetCursor(crHourGlass);
  Screen().SetCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(test::Failure([] { Screen().SetCursor(7); }),
            test::Expected("foreign", "TScreen.SetCursor: no cursor numbered 7"));
  EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST(MouseCursorPos, IsWhereThePointerWasMoved) {
  QCursor::setPos(300, 200);
  EXPECT_EQ(MouseCursorPos(), (TPoint{300, 200}));
}

} // namespace
} // namespace kiv
