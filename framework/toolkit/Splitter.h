#pragma once

// Toolkit: the splitter (TSplitter), panes with bars between them that the user drags.

#include "framework/toolkit/Control.h"

#include <functional>
#include <vector>

namespace kiv {

enum class TSplitOrientation {
  soHorizontal, // panes side by side
  soVertical    // panes stacked
};

// Panes with a bar between each two that the user drags: the controls placed on it (SetParent),
// in the order placed. The splitter sizes its panes; their Align is not used. Usually Align
// alClient.
class TSplitter : public TWinControl {
public:
  TSplitter(TComponent* AOwner, TSplitOrientation AOrientation);

  // Pane sizes in pixels, in pane order.
  std::vector<int> Sizes() const;
  void SetSizes(const std::vector<int>& ASizes);
  // The panes are laid out by the splitter, not by alignment.
  void Realign() override {}

  // The user moved a bar.
  std::function<void()> OnMoved;
};

} // namespace kiv
