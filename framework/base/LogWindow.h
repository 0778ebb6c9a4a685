#pragma once

// The interface through which the diagnostic log reaches its window.

#include <string>

namespace kiv {

// The window that mirrors the diagnostic log: the message list of the dialog helpers. TDebug
// speaks to it through this interface, so that the log itself needs no window library.
class TLogWindow {
public:
  virtual ~TLogWindow() = default;

  // Shows the message list and appends AMessage as a line; with ASaveToFile the whole list is
  // then saved to the file named AMessage.
  virtual void ShowMessageListDialogBox(const std::string& AMessage, bool ASaveToFile) = 0;
};

} // namespace kiv
