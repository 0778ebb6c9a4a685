#pragma once

// Toolkit: the system clipboard (TClipboard).

#include <string>

namespace kiv {

// The system clipboard's text. Needs the application object.
class TClipboard {
public:
  std::string AsText() const;
  void SetAsText(const std::string& AText);
};

// The program's one clipboard object.
TClipboard& Clipboard();

} // namespace kiv
