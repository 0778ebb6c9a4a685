#include "framework/toolkit/Control.h"

#include "framework/toolkit/detail/Colour.h"
#include "framework/toolkit/detail/EventHook.h"
#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/Widget.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kiv {

using toolkit::QtWidget;

namespace {

// What the frame adds to the inner size: nothing for a control, the window frame for a form.
QSize FrameExtra(const QWidget& widget) {
  return widget.frameGeometry().size() - widget.size();
}

// What lies between the outer size and the client area (a panel's bevel).
QSize ClientExtra(const QWidget& widget) {
  return widget.size() - widget.contentsRect().size();
}

// Where the parent's client area starts in its window: below a form's menu bar, which the form
// keeps out of its client area through its contents margins. (A panel's margins are its bevel,
// which its client coordinates include.)
QPoint ClientOrigin(const TWinControl* parent) {
  if (!parent)
    return {};
  const QWidget& widget = QtWidget(*parent);
  if (!widget.isWindow())
    return {};
  const QMargins margins = widget.contentsMargins();
  return {margins.left(), margins.top()};
}

} // namespace

TControl::TControl(TComponent* AOwner, std::unique_ptr<Widget> AWidget)
    : TComponent(AOwner), FWidget(std::move(AWidget)) {}

TControl::~TControl() {
  DestroyComponents();
  SetParent(nullptr);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent)
    return;
  for (const TControl* ancestor = AParent; ancestor; ancestor = ancestor->FParent)
    if (ancestor == this)
      throw std::invalid_argument("TControl.SetParent: " + ClassName() +
                                  " cannot be placed on itself or on a control it holds");
  TWinControl* const previous = FParent;
  if (previous)
    previous->RemoveControl(*this);
  FParent = AParent;
  QWidget& widget = QtWidget(*this);
  widget.setParent(AParent ? &QtWidget(*AParent) : nullptr);
  if (AParent) {
    AParent->InsertControl(*this);
    widget.setVisible(FVisible);
    AParent->Realign();
  }
  if (previous)
    previous->Realign();
}

int TControl::Left() const {
  return QtWidget(*this).x() - ClientOrigin(FParent).x();
}
int TControl::Top() const {
  return QtWidget(*this).y() - ClientOrigin(FParent).y();
}
int TControl::Width() const {
  return QtWidget(*this).frameGeometry().width();
}
int TControl::Height() const {
  return QtWidget(*this).frameGeometry().height();
}
void TControl::SetLeft(int ALeft) {
  SetBounds(ALeft, Top(), Width(), Height());
}
void TControl::SetTop(int ATop) {
  SetBounds(Left(), ATop, Width(), Height());
}
void TControl::SetWidth(int AWidth) {
  SetBounds(Left(), Top(), AWidth, Height());
}
void TControl::SetHeight(int AHeight) {
  SetBounds(Left(), Top(), Width(), AHeight);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  QWidget& widget = QtWidget(*this);
  const QSize extra = FrameExtra(widget);
  widget.move(QPoint(ALeft, ATop) + ClientOrigin(FParent));
  widget.resize(std::max(0, AWidth - extra.width()), std::max(0, AHeight - extra.height()));
  Resized();
}

int TControl::ClientWidth() const {
  return QtWidget(*this).contentsRect().width();
}
int TControl::ClientHeight() const {
  return QtWidget(*this).contentsRect().height();
}

void TControl::SetClientWidth(int AWidth) {
  QWidget& widget = QtWidget(*this);
  widget.resize(AWidth + ClientExtra(widget).width(), widget.height());
  Resized();
}

void TControl::SetClientHeight(int AHeight) {
  QWidget& widget = QtWidget(*this);
  widget.resize(widget.width(), AHeight + ClientExtra(widget).height());
  Resized();
}

bool TControl::Visible() const {
  return FVisible;
}

void TControl::SetVisible(bool AVisible) {
  FVisible = AVisible;
  // Without a parent the widget would be a window of its own: it shows only once placed.
  QtWidget(*this).setVisible(AVisible && FParent);
  RealignParent();
}

bool TControl::Enabled() const {
  return QtWidget(*this).isEnabled();
}
void TControl::SetEnabled(bool AEnabled) {
  QtWidget(*this).setEnabled(AEnabled);
}

TColor TControl::Color() const {
  QWidget& widget = QtWidget(*this);
  return toolkit::FromQRgb(widget.palette().color(widget.backgroundRole()).rgb());
}

void TControl::SetColor(TColor AColor) {
  QWidget& widget = QtWidget(*this);
  const QColor color = toolkit::ToQColor(AColor);
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, color);
  palette.setColor(QPalette::Base, color);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

void TControl::SetFocus() {
  QtWidget(*this).setFocus(Qt::OtherFocusReason);
}

bool TControl::Focused() const {
  return QtWidget(*this).hasFocus();
}

void TControl::SetAlign(TAlign AAlign) {
  FAlign = AAlign;
  RealignParent();
}

void TControl::HoldPainting() {
  if (FPaintingHeld)
    return;
  FPaintingHeld = true;
  QtWidget(*this).setUpdatesEnabled(false);
}

// The kept values reach the window while it still paints nothing; turning painting back on then
// repaints it once, with all of them, in the next event handling.
void TControl::ResumePainting() {
  if (!FPaintingHeld)
    return;
  FPaintingHeld = false;
  struct PaintingOn {
    QWidget& widget;
    ~PaintingOn() { widget.setUpdatesEnabled(true); }
  } paintingOn{QtWidget(*this)};
  WriteKeptValues();
}

void TControl::Resized() {
  RealignParent();
  // Qt holds back the resize event of a hidden widget until it is shown: lay out now.
  if (auto* container = dynamic_cast<TWinControl*>(this))
    container->Realign();
}

void TControl::RealignParent() {
  if (FParent && FAlign != TAlign::alNone)
    FParent->Realign();
}

struct TWinControl::ResizeHook {
  toolkit::EventHook hook;
};

TWinControl::TWinControl(TComponent* AOwner, std::unique_ptr<Widget> AWidget)
    : TControl(AOwner, std::move(AWidget)),
      FResizeHook(new ResizeHook{{QtWidget(*this), [this](QEvent& event) {
                                    if (event.type() == QEvent::Resize)
                                      Realign();
                                    return false;
                                  }}}) {}

TWinControl::~TWinControl() {
  FResizeHook.reset();
  DestroyComponents();
  while (!FControls.empty())
    FControls.back()->SetParent(nullptr);
}

TControl& TWinControl::Controls(int AIndex) const {
  toolkit::CheckIndex("TWinControl.Controls", AIndex, ControlCount());
  return *FControls[static_cast<std::size_t>(AIndex)];
}

void TWinControl::Realign() {
  QRect free = QtWidget(*this).contentsRect();
  // A container without area yet (a page before its page control lays it out) would squeeze its
  // aligned controls to nothing and they would keep that size: wait until it has one.
  if (free.isEmpty())
    return;
  const auto place = [](TControl& control, const QRect& rect) {
    QtWidget(control).setGeometry(rect);
  };
  // Edges first, in the order top, bottom, left, right, each in placing order; then the rest.
  for (TAlign edge : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight})
    for (TControl* control : FControls) {
      if (control->Align() != edge || !control->Visible())
        continue;
      const int height = std::min(control->Height(), free.height());
      const int width = std::min(control->Width(), free.width());
      switch (edge) {
      case TAlign::alTop:
        place(*control, QRect(free.left(), free.top(), free.width(), height));
        free.setTop(free.top() + height);
        break;
      case TAlign::alBottom:
        place(*control, QRect(free.left(), free.bottom() + 1 - height, free.width(), height));
        free.setBottom(free.bottom() - height);
        break;
      case TAlign::alLeft:
        place(*control, QRect(free.left(), free.top(), width, free.height()));
        free.setLeft(free.left() + width);
        break;
      default:
        place(*control, QRect(free.right() + 1 - width, free.top(), width, free.height()));
        free.setRight(free.right() - width);
        break;
      }
    }
  for (TControl* control : FControls)
    if (control->Align() == TAlign::alClient && control->Visible())
      place(*control, free);
}

void TWinControl::InsertControl(TControl& control) {
  FControls.push_back(&control);
}

void TWinControl::RemoveControl(TControl& control) noexcept {
  const auto found = std::find(FControls.begin(), FControls.end(), &control);
  if (found != FControls.end())
    FControls.erase(found);
}

} // namespace kiv
