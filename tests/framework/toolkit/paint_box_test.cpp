#include "framework/toolkit/Application.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/PaintBox.h"
#include "framework/toolkit/detail/Widget.h"

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace kiv {
namespace {

constexpr TColor clRed = 0x0000FF;

std::string ColourAt(const QImage& image, int x, int y) {
  return image.pixelColor(x, y).name().toStdString();
}

// A form showing a paint box of 200 by 100 pixels at 10, 20.
struct PaintBoxOnForm {
  PaintBoxOnForm() {
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    box->SetParent(&form);
    box->SetBounds(10, 20, 200, 100);
  }
  QWidget& Widget() const { return toolkit::QtWidget(*box); }

  TForm form{nullptr};
  TPaintBox* box = new TPaintBox(&form);
};

TEST(TPaintBox, OnPaintDrawsTheClientAreaOnAFreshCanvasOfItsSize) {
  PaintBoxOnForm fixture;
  std::vector<std::pair<int, int>> sizes;
  fixture.box->OnPaint = [&](TCanvas& canvas) {
    sizes.emplace_back(canvas.Width(), canvas.Height());
    canvas.Brush.Color = clRed;
    canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
    canvas.Rectangle({0, 0, canvas.Width(), canvas.Height()});
    // What one painting leaves behind does not reach the next.
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen.Color = clRed;
    canvas.SetClipRect({0, 0, 1, 1});
  };
  fixture.form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolkit::QtWidget(fixture.form)));
  fixture.Widget().grab();
  const QImage shown = fixture.Widget().grab().toImage();
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back(), std::make_pair(200, 100));
  EXPECT_EQ(ColourAt(shown, 0, 0), "#000000");
  EXPECT_EQ(ColourAt(shown, 100, 50), "#ff0000");
  EXPECT_EQ(ColourAt(shown, 199, 99), "#000000");

  TBitmap bitmap(40, 30);
  fixture.box->PaintTo(bitmap);
  fixture.box->PaintTo(bitmap);
  EXPECT_EQ(sizes.back(), std::make_pair(40, 30));
  EXPECT_EQ(bitmap.Pixels(39, 29), clBlack);
  EXPECT_EQ(bitmap.Pixels(20, 15), clRed);
}

TEST(TPaintBox, InvalidateRepaintsOnceAndAFailingPaintGoesToTheApplication) {
  PaintBoxOnForm fixture;
  int paints = 0;
  fixture.box->OnPaint = [&](TCanvas& canvas) {
    ++paints;
    canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
  };
  fixture.form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolkit::QtWidget(fixture.form)));
  QCoreApplication::processEvents();
  paints = 0;
  for (int i = 0; i < 3; ++i)
    fixture.box->Invalidate();
  EXPECT_TRUE(QTest::qWaitFor([&] { return paints > 0; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(paints, 1);

  std::vector<std::string> failures;
  Application().OnException = [&](std::exception_ptr failure) {
    failures.push_back(ExceptionBoxText(failure));
  };
  fixture.box->OnPaint = [](TCanvas& canvas) {
    canvas.FillRect({0, 0, 5, 5});
    throw std::runtime_error("no model");
  };
  fixture.Widget().repaint();
  Application().OnException = nullptr;
  EXPECT_EQ(failures, std::vector<std::string>{"runtime_error with message: \nno model"});
  // The failed paint ended its painting: the next one paints.
  fixture.box->OnPaint = [&](TCanvas& canvas) {
    canvas.Brush.Color = clRed;
    canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
  };
  EXPECT_EQ(ColourAt(fixture.Widget().grab().toImage(), 5, 5), "#ff0000");
}

TEST(TPaintBox, HandsOnMouseEventsWithButtonsShiftAndPosition) {
  TPaintBox box(nullptr);
  std::vector<std::string> seen;
  const auto buttonName = [](TMouseButton button) {
    return button == TMouseButton::mbLeft    ? "left"
           : button == TMouseButton::mbRight ? "right"
                                             : "middle";
  };
  box.OnMouseDown = [&](TMouseButton button, TShiftState shift, int x, int y) {
    seen.push_back("down " + std::string(buttonName(button)) + " " + std::to_string(shift) + " " +
                   std::to_string(x) + "," + std::to_string(y));
  };
  box.OnMouseUp = [&](TMouseButton button, TShiftState shift, int x, int y) {
    seen.push_back("up " + std::string(buttonName(button)) + " " + std::to_string(shift) + " " +
                   std::to_string(x) + "," + std::to_string(y));
  };
  box.OnMouseMove = [&](TShiftState shift, int x, int y) {
    seen.push_back("move " + std::to_string(shift) + " " + std::to_string(x) + "," +
                   std::to_string(y));
  };
  box.OnMouseWheel = [&](TShiftState shift, int delta, int x, int y) {
    seen.push_back("wheel " + std::to_string(shift) + " " + std::to_string(delta) + " " +
                   std::to_string(x) + "," + std::to_string(y));
  };
  QWidget& widget = toolkit::QtWidget(box);
  EXPECT_TRUE(widget.hasMouseTracking());

  struct Case {
    QEvent::Type type;
    Qt::MouseButton button;
    Qt::MouseButtons held; // after the event, as Qt gives them
    Qt::KeyboardModifiers modifiers;
    QPoint at;
    const char* expected;
  };
  const Case cases[] = {
      {QEvent::MouseMove, Qt::NoButton, Qt::NoButton, Qt::NoModifier, {3, 4}, "move 0 3,4"},
      {QEvent::MouseButtonPress,
       Qt::LeftButton,
       Qt::LeftButton,
       Qt::ShiftModifier,
       {10, 20},
       "down left 9 10,20"},
      {QEvent::MouseMove,
       Qt::NoButton,
       Qt::LeftButton,
       Qt::ControlModifier,
       {11, 21},
       "move 12 11,21"},
      {QEvent::MouseButtonPress,
       Qt::RightButton,
       Qt::LeftButton | Qt::RightButton,
       Qt::AltModifier,
       {12, 22},
       "down right 26 12,22"},
      {QEvent::MouseButtonRelease,
       Qt::LeftButton,
       Qt::RightButton,
       Qt::NoModifier,
       {13, 23},
       "up left 16 13,23"},
      {QEvent::MouseButtonRelease,
       Qt::RightButton,
       Qt::NoButton,
       Qt::NoModifier,
       {13, 23},
       "up right 0 13,23"},
      {QEvent::MouseButtonDblClick,
       Qt::MiddleButton,
       Qt::MiddleButton,
       Qt::NoModifier,
       {1, 2},
       "down middle 32 1,2"},
      {QEvent::MouseButtonRelease,
       Qt::MiddleButton,
       Qt::NoButton,
       Qt::NoModifier,
       {1, 2},
       "up middle 0 1,2"},
      // Buttons the toolkit does not name are left to Qt.
      {QEvent::MouseButtonPress, Qt::BackButton, Qt::BackButton, Qt::NoModifier, {1, 2}, nullptr},
  };
  for (const Case& c : cases) {
    seen.clear();
    QMouseEvent event(c.type, QPointF(c.at), widget.mapToGlobal(QPointF(c.at)), c.button, c.held,
                      c.modifiers);
    QCoreApplication::sendEvent(&widget, &event);
    EXPECT_EQ(seen, c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{})
        << c.type << " " << c.button;
  }

  seen.clear();
  for (const int delta : {120, -240}) {
    QWheelEvent wheel(QPointF(5, 6), widget.mapToGlobal(QPointF(5, 6)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&widget, &wheel);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"wheel 4 120 5,6", "wheel 4 -240 5,6"}));
}

} // namespace
} // namespace kiv
