#pragma once

// Toolkit internals on Qt: a form's menu bar, above and outside the form's client area.

#include "framework/toolkit/detail/EventHook.h"

#include <QMenuBar>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace kiv::toolkit {

// Puts the bar across the top of the form and keeps the form's client area (its contents rect,
// which ClientHeight and the aligned controls use) below it, as wide as the form and as high as
// the bar's items need. Realign lays the form's aligned controls out again when that area moves.
// The controls on the form keep their places in the client area as it moves. Gone, it takes the
// bar off the form and gives the area back.
class FormMenuBar {
public:
  FormMenuBar(QWidget& AForm, QMenuBar& ABar, std::function<void()> ARealign);
  ~FormMenuBar();
  FormMenuBar(const FormMenuBar&) = delete;
  FormMenuBar& operator=(const FormMenuBar&) = delete;

private:
  // The bar while it is on the form, else null.
  QMenuBar* OnForm() const;
  void Place();
  void SetClientTop(int top);

  QWidget& FForm;
  QPointer<QMenuBar> FBar;
  std::function<void()> FRealign;
  EventHook FFormHook;
  EventHook FBarHook;
};

} // namespace kiv::toolkit
