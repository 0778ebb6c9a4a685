#include "framework/toolkit/detail/KeyPreviewHook.h"

#include "framework/toolkit/Form.h"
#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/ShiftState.h"
#include "framework/toolkit/detail/Widget.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace kiv::toolkit {

KeyPreviewHook::KeyPreviewHook(TForm& AForm) : FForm(AForm) {
  QCoreApplication::instance()->installEventFilter(this);
}

bool KeyPreviewHook::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
    return false;
  const auto* widget = qobject_cast<const QWidget*>(watched);
  const QWidget& window = QtWidget(FForm);
  if (!widget || widget->window() != &window)
    return false;
  // The press is over once its key is let go (a box shown meanwhile has keys of its own).
  if (type == QEvent::KeyRelease) {
    FSeen = nullptr;
    return false;
  }
  if (event == FSeen || (!FForm.KeyPreview && widget != &window))
    return false;
  FSeen = event;
  const auto& keyEvent = static_cast<const QKeyEvent&>(*event);
  const int virtualKey = VirtualKeyOf(keyEvent.key());
  if (virtualKey == 0)
    return false;
  const TShiftState shift = ShiftStateOf(keyEvent.modifiers());
  auto key = static_cast<std::uint16_t>(virtualKey);
  // The handler may free the form and this hook with it: nothing of either is touched after.
  Guarded([&form = FForm, &key, shift] { form.KeyDown(key, shift); })();
  return key == 0;
}

int VirtualKeyOf(int qtKey) {
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
    return VK_F1 + (qtKey - Qt::Key_F1);
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return qtKey; // the same as their ASCII codes, as the platform's are
  switch (qtKey) {
  case Qt::Key_Backspace:
    return 8;
  case Qt::Key_Tab:
    return 9;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return 13;
  case Qt::Key_Escape:
    return 27;
  case Qt::Key_Space:
    return 32;
  case Qt::Key_PageUp:
    return 33;
  case Qt::Key_PageDown:
    return 34;
  case Qt::Key_End:
    return 35;
  case Qt::Key_Home:
    return 36;
  case Qt::Key_Left:
    return 37;
  case Qt::Key_Up:
    return 38;
  case Qt::Key_Right:
    return 39;
  case Qt::Key_Down:
    return 40;
  case Qt::Key_Insert:
    return 45;
  case Qt::Key_Delete:
    return 46;
  default:
    return 0;
  }
}

} // namespace kiv::toolkit
