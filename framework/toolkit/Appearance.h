#pragma once

// Toolkit: a control's font style.

#include "framework/toolkit/Control.h"

namespace kiv {

// The bold style of a control's font (a title's label).
bool FontBold(const TControl& AControl);
void SetFontBold(TControl& AControl, bool ABold);

// Paints the control, and what it holds, now rather than when the event loop next runs.
void Repaint(TControl& AControl);

} // namespace kiv
