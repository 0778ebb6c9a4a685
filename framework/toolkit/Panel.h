#pragma once

// Toolkit: the panel (TPanel).

#include "framework/toolkit/Control.h"

namespace kiv {

// A raised area that holds other controls.
class TPanel : public TWinControl {
public:
  explicit TPanel(TComponent* AOwner);
  // A panel without bevel shows no edge of its own.
  bool Bevelled() const;
  void SetBevelled(bool ABevelled);
};

} // namespace kiv
