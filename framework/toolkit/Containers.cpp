#include "framework/toolkit/Containers.h"

#include "framework/toolkit/detail/Widget.h"

#include <QFrame>
#include <QGroupBox>

namespace kiv {

using toolkit::MakeWidget;
using toolkit::QtWidgetAs;
using toolkit::ToQt;

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner, MakeWidget<QGroupBox>(185, 105)) {}

std::string TGroupBox::Caption() const {
  return QtWidgetAs<QGroupBox>(*this).title().toStdString();
}

void TGroupBox::SetCaption(const std::string& ACaption) {
  QtWidgetAs<QGroupBox>(*this).setTitle(ToQt(ACaption));
}

TFrame::TFrame(TComponent* AOwner) : TWinControl(AOwner, MakeWidget<QFrame>(320, 240)) {}

} // namespace kiv
