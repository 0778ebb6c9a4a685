#pragma once

// Toolkit: the controls that hold others (group box, frame).

#include "framework/toolkit/Control.h"

#include <string>

namespace kiv {

// A captioned frame that holds other controls.
class TGroupBox : public TWinControl {
public:
  explicit TGroupBox(TComponent* AOwner);
  std::string Caption() const;
  void SetCaption(const std::string& ACaption);
};

// A reusable area without an edge of its own: it owns and holds the controls made for it, so that
// the same set of controls can sit on several forms or panels.
class TFrame : public TWinControl {
public:
  explicit TFrame(TComponent* AOwner);
};

} // namespace kiv
