#include "framework/toolkit/Screen.h"
#include "framework/toolkit/detail/CursorLook.h"
#include "testing/support/Failure.h"
#include "testing/support/TempDir.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <stdexcept>

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

// The table holds the platform's cursors under the toolkit's numbers, and a program's own beside
// them; the screen cursor is the table's entry, and a new entry for the number shown shows at once.
TEST(TScreen, CursorsByNumber) {
  struct Case {
    TCursor number;
    Qt::CursorShape shape;
  };
  const Case cases[] = {{crArrow, Qt::ArrowCursor},
                        {crNone, Qt::BlankCursor},
                        {crIBeam, Qt::IBeamCursor},
                        {crSizeNESW, Qt::SizeBDiagCursor},
                        {crHourGlass, Qt::WaitCursor},
                        {crNoDrop, Qt::ForbiddenCursor},
                        {crHandPoint, Qt::PointingHandCursor},
                        {crSizeAll, Qt::SizeAllCursor}};
  for (const Case& c : cases) {
    EXPECT_EQ(Screen().Cursors(c.number).Image().shape, c.shape) << c.number;
    Screen().SetCursor(c.number);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), c.shape) << c.number;
  }

  test::TempDir dir;
  QImage picture(16, 16, QImage::Format_ARGB32);
  picture.fill(Qt::red);
  ASSERT_TRUE(picture.save(QString::fromStdString(dir / "pen.png")));
  constexpr TCursor crPen = 1;
  Screen().SetCursors(crPen, LoadCursorFromFile(dir / "pen.png", {3, 12}));
  Screen().SetCursor(crPen);
  const QCursor* shown = QGuiApplication::overrideCursor();
  EXPECT_EQ(shown->shape(), Qt::BitmapCursor);
  EXPECT_EQ(shown->hotSpot(), QPoint(3, 12));
  EXPECT_EQ(shown->pixmap().size(), QSize(16, 16));
  Screen().SetCursors(crPen, Screen().Cursors(crCross));
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
  Screen().SetCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  EXPECT_EQ(test::Failure([] { Screen().Cursors(7); }),
            test::Expected("foreign", "TScreen.Cursors: no cursor numbered 7"));
  EXPECT_EQ(
      test::Failure([&] { LoadCursorFromFile(dir / "none.png", {}); }),
      test::Expected("foreign", "LoadCursorFromFile: " + dir / "none.png" + " is no picture"));
}

TEST(TScreenCursorGuard, ShowsTheBusyCursorThenTheOneBeforeOrTheOneAskedFor) {
  Screen().SetCursor(crCross);
  {
    const TScreenCursorGuard busy;
    EXPECT_EQ(Screen().Cursor(), crHourGlass);
  }
  EXPECT_EQ(Screen().Cursor(), crCross);
  try {
    const TScreenCursorGuard busy(crSizeAll, crDefault);
    EXPECT_EQ(Screen().Cursor(), crSizeAll);
    throw std::runtime_error("a failure ends the scope");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(Screen().Cursor(), crDefault);
}

TEST(MouseCursorPos, IsWhereThePointerWasMoved) {
  QCursor::setPos(300, 200);
  EXPECT_EQ(MouseCursorPos(), (TPoint{300, 200}));
}

} // namespace
} // namespace kiv
