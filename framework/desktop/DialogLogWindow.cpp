#include "framework/desktop/DialogLogWindow.h"

#include "framework/desktop/Dialog.h"

namespace kiv {

void TDialogLogWindow::ShowMessageListDialogBox(const std::string& AMessage, bool ASaveToFile) {
  FDialog.ShowMessageListDialogBox(AMessage, ASaveToFile);
}

} // namespace kiv
