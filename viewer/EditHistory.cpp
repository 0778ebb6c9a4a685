#include "viewer/EditHistory.h"

namespace kiv::viewer {

void TEditHistory::Done(const TLayerEdit& edit) {
  // The save lay among the edits dropped now: no position reaches it again.
  if (FSavedPosition > FPosition && FSavedPosition != kNowhere)
    FSavedPosition = kNowhere;
  FEdits.resize(FPosition);
  FEdits.push_back(edit);
  ++FPosition;
}

std::optional<TLayerEdit> TEditHistory::Undo() {
  if (!CanUndo())
    return std::nullopt;
  return FEdits[--FPosition];
}

std::optional<TLayerEdit> TEditHistory::Redo() {
  if (!CanRedo())
    return std::nullopt;
  return FEdits[FPosition++];
}

void TEditHistory::Reset() noexcept {
  FEdits.clear();
  FPosition = 0;
  FSavedPosition = kNowhere;
}

} // namespace kiv::viewer
