#include "framework/toolkit/PaintBox.h"

#include "framework/toolkit/detail/CanvasPainter.h"
#include "framework/toolkit/detail/EventHook.h"
#include "framework/toolkit/detail/ShiftState.h"
#include "framework/toolkit/detail/Widget.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <optional>

namespace kiv {

using toolkit::QtWidget;

namespace {

std::unique_ptr<TControl::Widget> MakePaintBoxWidget() {
  auto* widget = new QWidget();
  widget->setMouseTracking(true);
  return toolkit::HiddenWidget(widget, 105, 105);
}

std::unique_ptr<TCanvas::Painter> PainterOn(QWidget& widget) {
  auto painter = std::make_unique<TCanvas::Painter>();
  painter->surface = &widget;
  return painter;
}

std::optional<TMouseButton> ButtonOf(Qt::MouseButton button) {
  switch (button) {
  case Qt::LeftButton:
    return TMouseButton::mbLeft;
  case Qt::RightButton:
    return TMouseButton::mbRight;
  case Qt::MiddleButton:
    return TMouseButton::mbMiddle;
  default:
    return std::nullopt;
  }
}

// Each painting starts alike, on the screen or on a bitmap, whatever the last one left behind.
void StartPainting(TCanvas& canvas) {
  canvas.Pen = {};
  canvas.Brush = {};
  canvas.Font = {};
  canvas.ResetClip();
}

// Ends the painting of one paint event, also when OnPaint fails.
struct Painting {
  explicit Painting(TCanvas::Painter& APainter) : painter(APainter) {
    painter.Begin(*painter.surface);
  }
  ~Painting() { painter.End(); }
  Painting(const Painting&) = delete;
  Painting& operator=(const Painting&) = delete;
  TCanvas::Painter& painter;
};

} // namespace

TPaintBox::TPaintBox(TComponent* AOwner)
    : TControl(AOwner, MakePaintBoxWidget()), FCanvas(PainterOn(QtWidget(*this))) {
  FHook = std::make_unique<toolkit::EventHook>(QtWidget(*this), [this](QEvent& event) {
    switch (event.type()) {
    case QEvent::Paint:
      if (OnPaint) {
        StartPainting(FCanvas);
        const Painting painting(FCanvas.QtPainter());
        OnPaint(FCanvas);
      }
      return true;
    // A double click is a press of its own, so that every release follows a press.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
      const auto& mouse = static_cast<const QMouseEvent&>(event);
      const std::optional<TMouseButton> button = ButtonOf(mouse.button());
      const auto& handler = event.type() == QEvent::MouseButtonRelease ? OnMouseUp : OnMouseDown;
      if (!button || !handler)
        return false;
      const QPoint at = mouse.position().toPoint();
      handler(*button, toolkit::ShiftStateOf(mouse.modifiers(), mouse.buttons()), at.x(), at.y());
      return true;
    }
    case QEvent::MouseMove: {
      if (!OnMouseMove)
        return false;
      const auto& mouse = static_cast<const QMouseEvent&>(event);
      const QPoint at = mouse.position().toPoint();
      OnMouseMove(toolkit::ShiftStateOf(mouse.modifiers(), mouse.buttons()), at.x(), at.y());
      return true;
    }
    case QEvent::Wheel: {
      const auto& wheel = static_cast<const QWheelEvent&>(event);
      if (!OnMouseWheel || wheel.angleDelta().y() == 0)
        return false;
      const QPoint at = wheel.position().toPoint();
      OnMouseWheel(toolkit::ShiftStateOf(wheel.modifiers(), wheel.buttons()),
                   wheel.angleDelta().y(), at.x(), at.y());
      return true;
    }
    default:
      return false;
    }
  });
}

// The hook goes first: it calls back into this object.
TPaintBox::~TPaintBox() {
  FHook.reset();
}

void TPaintBox::Invalidate() {
  QtWidget(*this).update();
}

void TPaintBox::PaintTo(TBitmap& ABitmap) {
  if (!OnPaint)
    return;
  StartPainting(ABitmap.Canvas());
  OnPaint(ABitmap.Canvas());
}

} // namespace kiv
