#include "framework/toolkit/Appearance.h"

#include "framework/toolkit/detail/Widget.h"

#include <QLabel>

namespace kiv {

using toolkit::QtWidget;

bool FontBold(const TControl& AControl) {
  return QtWidget(AControl).font().bold();
}

void SetFontBold(TControl& AControl, bool ABold) {
  QWidget& widget = QtWidget(AControl);
  QFont font = widget.font();
  font.setBold(ABold);
  widget.setFont(font);
  // A label keeps to the size of its text.
  if (auto* label = qobject_cast<QLabel*>(&widget))
    label->adjustSize();
}

void Repaint(TControl& AControl) {
  QtWidget(AControl).repaint();
}

} // namespace kiv
