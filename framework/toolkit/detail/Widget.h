#pragma once

// Toolkit internals on Qt: the widget each control owns.

#include "framework/toolkit/Control.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <string>

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

// The control's widget. One that Qt deleted behind the toolkit's back is a bug, reported rather
// than followed: the check also tells the optimiser that the guarded pointer is not null, where
// it would warn of a null dereference in every inlined Qt call on the widget.
inline QWidget& QtWidget(const TControl& AControl) {
  QWidget* widget = AControl.Window().widget.data();
  if (widget == nullptr)
    throw std::logic_error("The widget of a " + AControl.ClassName() + " is gone");
  return *widget;
}

template <class QtClass> QtClass& QtWidgetAs(const TControl& AControl) {
  return static_cast<QtClass&>(QtWidget(AControl));
}

// A control's widget before it is placed: without a parent, hidden, at the default size of its
// kind.
inline std::unique_ptr<TControl::Widget> HiddenWidget(QWidget* AWidget, int AWidth, int AHeight) {
  AWidget->resize(AWidth, AHeight);
  AWidget->setVisible(false);
  return std::make_unique<TControl::Widget>(AWidget);
}

template <class QtClass> std::unique_ptr<TControl::Widget> MakeWidget(int AWidth, int AHeight) {
  return HiddenWidget(new QtClass(), AWidth, AHeight);
}

inline QString ToQt(const std::string& AText) {
  return QString::fromStdString(AText);
}

} // namespace kiv::toolkit
