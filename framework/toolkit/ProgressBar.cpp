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
  bar->resize(150, 16);
  return std::make_unique<TControl::Widget>(bar);
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
  QtWidgetAs<QProgressBar>(*this).setRange(AMin, std::max(AMin, AMax));
}

int TProgressBar::Position() const {
  return QtWidgetAs<QProgressBar>(*this).value();
}

void TProgressBar::SetPosition(int APosition) {
  // Qt ignores a value outside the range; the toolkit's bar stops at its ends instead.
  QtWidgetAs<QProgressBar>(*this).setValue(std::clamp(APosition, Min(), Max()));
}

void TProgressBar::StepIt() {
  const long long next = static_cast<long long>(Position()) + FStep;
  SetPosition(static_cast<int>(std::clamp<long long>(next, Min(), Max())));
}

} // namespace kiv
