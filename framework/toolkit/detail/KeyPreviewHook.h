#pragma once

// Toolkit internals on Qt: a form's key preview.

#include <QObject>

namespace kiv {
class TForm;
}

namespace kiv::toolkit {

// Hands the key presses inside one form to its KeyDown: all of them, before the control with the
// focus, while the form's KeyPreview is on, else only those sent to the form itself. Watches the
// whole application, since Qt sends a key to the focused widget and to its form only when the
// widget leaves it. A KeyDown that sets the key to 0 stops it.
class KeyPreviewHook final : public QObject {
public:
  explicit KeyPreviewHook(TForm& AForm);
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  TForm& FForm;
  // The key press seen last, until its key is let go: Qt hands a press that a widget leaves on
  // to its parents, and the form sees it only once.
  const QEvent* FSeen = nullptr;
};

// The platform's virtual key code of a Qt key; 0 for a key without one.
int VirtualKeyOf(int qtKey);

} // namespace kiv::toolkit
