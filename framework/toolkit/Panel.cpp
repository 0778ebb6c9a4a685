#include "framework/toolkit/Panel.h"

#include "framework/toolkit/detail/Widget.h"

#include <QFrame>

namespace kiv {

namespace {

std::unique_ptr<TControl::Widget> MakePanelWidget() {
  auto* frame = new QFrame();
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  return toolkit::HiddenWidget(frame, 185, 41);
}

} // namespace

TPanel::TPanel(TComponent* AOwner) : TWinControl(AOwner, MakePanelWidget()) {}

bool TPanel::Bevelled() const {
  return toolkit::QtWidgetAs<QFrame>(*this).frameShape() != QFrame::NoFrame;
}

void TPanel::SetBevelled(bool ABevelled) {
  toolkit::QtWidgetAs<QFrame>(*this).setFrameStyle(ABevelled ? QFrame::Panel | QFrame::Raised
                                                             : QFrame::NoFrame);
  Realign();
}

} // namespace kiv
