#pragma once

// Toolkit internals on Qt: the shift state of a key or mouse event.

#include "framework/toolkit/Form.h"

#include <Qt>

namespace kiv::toolkit {

// The modifier keys held, and the mouse buttons held among buttons (none for a key event).
inline TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers,
                                Qt::MouseButtons buttons = Qt::NoButton) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier)
    shift |= ssShift;
  if (modifiers & Qt::AltModifier)
    shift |= ssAlt;
  if (modifiers & Qt::ControlModifier)
    shift |= ssCtrl;
  if (buttons & Qt::LeftButton)
    shift |= ssLeft;
  if (buttons & Qt::RightButton)
    shift |= ssRight;
  if (buttons & Qt::MiddleButton)
    shift |= ssMiddle;
  return shift;
}

} // namespace kiv::toolkit
