#pragma once

// The diagnostic log's window: the dialog helpers' message list.

#include "framework/base/LogWindow.h"

namespace kiv {

class TDialog;

// The diagnostic log's window in a desktop program: the message list of TDialog.
class TDialogLogWindow final : public TLogWindow {
public:
  explicit TDialogLogWindow(TDialog& ADialog) : FDialog(ADialog) {}

  void ShowMessageListDialogBox(const std::string& AMessage, bool ASaveToFile) override;

  // The dialog object that shows the lines.
  TDialog& Dialog() const { return FDialog; }

private:
  TDialog& FDialog;
};

} // namespace kiv
