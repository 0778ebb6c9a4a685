#pragma once

// Toolkit: the status bar (TStatusBar), a bar of text panels.

#include "framework/toolkit/Control.h"

#include <memory>
#include <string>

namespace kiv {

// A bar of text panels side by side; placed on a form it sticks to the bottom (Align alBottom).
class TStatusBar : public TControl {
public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;

  // Adds a panel AWidth pixels wide (-1: the panel takes what is left); returns its index.
  int AddPanel(int AWidth);
  int PanelCount() const;
  std::string PanelText(int AIndex) const;
  void SetPanelText(int AIndex, const std::string& AText);

private:
  struct Panels;
  std::unique_ptr<Panels> FPanels;
};

} // namespace kiv
