#pragma once

// Building blocks of the dialog helpers' windows.

#include "framework/toolkit/Form.h"

#include <string>

namespace kiv {

class TButton;
class TWinControl;

// The two building blocks of the dialog helpers' windows.

// A window owned by the application's main window (none when there is none), with the component
// name AName, centred on the screen with the outer size AWidth by AHeight, normal style, a fixed
// dialog border, no border icons and the caption ACaption; brought to the front when shown.
TForm* CreateDialogForm(const std::string& AName, const std::string& ACaption, int AWidth,
                        int AHeight);

// A push button owned by AParent's form, placed on AParent at the given bounds, named by
// ANamePrefix and a run-time number, that closes its modal window with AModalResult.
TButton* CreateDialogButton(TWinControl& AParent, const std::string& ANamePrefix,
                            const std::string& ACaption, int ALeft, int ATop, int AWidth,
                            int AHeight, TModalResult AModalResult);

// Gives AForm the outer size AWidth by AHeight the first time it shows: the frame is known only
// then.
void SetOuterSizeOnShow(TForm& AForm, int AWidth, int AHeight);

} // namespace kiv
