#include "framework/toolkit/ProgressBar.h"

#include "framework/toolkit/detail/Widget.h"

#include <QProgressBar>
#include <algorithm>

namespace kiv {

using toolkit::QtWidgetAs;

namespace {

std::unique_ptr<TControl::Widget> MakeBarWidget() {
  auto* bar = new QProgressBar();
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  return toolkit::HiddenWidget(bar, 150, 16);
}

} // namespace

TProgressBar::TProgressBar(TComponent* AOwner) : TControl(AOwner, MakeBarWidget()) {}

int TProgressBar::Min() const {
  return QtWidgetAs<QProgressBar>(*this).minimum();
}
int TProgressBar::Max() const {
  return QtWidgetAs<QProgressBar>(*this).maximum();
}

void TProgressBar::SetRange(int AMin, int AMax) {
  const int position = Position();
  QtWidgetAs<QProgressBar>(*this).setRange(AMin, std::max(AMin, AMax));
  // Qt would set a position outside the new range below the minimum: it stops at the nearer end.
  SetPosition(position);
}

int TProgressBar::Position() const {
  if (FKeptPosition)
    return *FKeptPosition;
  return QtWidgetAs<QProgressBar>(*this).value();
}

void TProgressBar::SetPosition(int APosition) {
  // Qt ignores a value outside the range; the toolkit's bar stops at its ends instead.
  const int position = std::clamp(APosition, Min(), Max());
  if (PaintingHeld())
    FKeptPosition = position;
  else
    QtWidgetAs<QProgressBar>(*this).setValue(position);
}

void TProgressBar::WriteKeptValues() {
  if (FKeptPosition)
    QtWidgetAs<QProgressBar>(*this).setValue(*FKeptPosition);
  FKeptPosition.reset();
}

void TProgressBar::StepIt() {
  const long long next = static_cast<long long>(Position()) + FStep;
  SetPosition(static_cast<int>(std::clamp<long long>(next, Min(), Max())));
}

} // namespace kiv
