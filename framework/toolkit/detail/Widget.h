#pragma once

#include "framework/toolkit/Control.h"

#include <QPointer>
#include <QWidget>

// The toolkit's Qt side: each control owns one QWidget. The pointer is guarded so that a widget
// deleted by Qt (with a Qt parent the toolkit did not know of) is never deleted twice.
struct kiv::TControl::Widget {
  explicit Widget(QWidget* AWidget) : widget(AWidget) {}
  ~Widget() { delete widget.data(); }
  Widget(const Widget&) = delete;
  Widget& operator=(const Widget&) = delete;

  QPointer<QWidget> widget;
};

namespace kiv::toolkit {

inline QWidget& QtWidget(const TControl& AControl) {
  return *AControl.Window().widget;
}

template <class QtClass> QtClass& QtWidgetAs(const TControl& AControl) {
  return static_cast<QtClass&>(QtWidget(AControl));
}

} // namespace kiv::toolkit
