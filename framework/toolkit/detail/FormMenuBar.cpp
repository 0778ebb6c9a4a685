#include "framework/toolkit/detail/FormMenuBar.h"

namespace kiv::toolkit {

namespace {

// What may change the bar's height: its items and their look.
bool ChangesHeight(QEvent::Type type) {
  return type == QEvent::ActionAdded || type == QEvent::ActionRemoved ||
         type == QEvent::ActionChanged || type == QEvent::FontChange || type == QEvent::StyleChange;
}

// Moves the controls on the form by the change of its client area's top, so that they keep
// their places in it.
void ShiftControls(QWidget& form, const QWidget* bar, int change) {
  for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child != bar && !child->isWindow())
      child->move(child->pos() + QPoint(0, change));
}

} // namespace

FormMenuBar::FormMenuBar(QWidget& AForm, QMenuBar& ABar, std::function<void()> ARealign)
    : FForm(AForm), FBar(&ABar), FRealign(std::move(ARealign)),
      FFormHook(AForm,
                [this](QEvent& event) {
                  if (event.type() == QEvent::Resize)
                    Place();
                  return false;
                }),
      FBarHook(ABar, [this](QEvent& event) {
        if (ChangesHeight(event.type()))
          Place();
        return false;
      }) {
  ABar.setParent(&AForm);
  ABar.show();
  Place();
}

FormMenuBar::~FormMenuBar() {
  if (QMenuBar* bar = OnForm()) {
    bar->hide();
    bar->setParent(nullptr);
  }
  SetClientTop(0);
}

// A menu set on another form since has taken its bar along.
QMenuBar* FormMenuBar::OnForm() const {
  QMenuBar* bar = FBar.data();
  return bar != nullptr && bar->parentWidget() == &FForm ? bar : nullptr;
}

void FormMenuBar::Place() {
  QMenuBar* bar = OnForm();
  if (bar == nullptr)
    return;
  const int height = bar->sizeHint().height();
  bar->setGeometry(0, 0, FForm.width(), height);
  SetClientTop(height);
}

void FormMenuBar::SetClientTop(int top) {
  const int change = top - FForm.contentsMargins().top();
  if (change == 0)
    return;
  FForm.setContentsMargins(0, top, 0, 0);
  ShiftControls(FForm, FBar, change);
  FRealign();
}

} // namespace kiv::toolkit
