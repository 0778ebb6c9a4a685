#pragma once

// The edits of an open document, for undo and redo, and where the last save stands among them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kiv::viewer {

// One value of one layer changed: which model (from 0), layer and column, and the values before
// and after.
struct TLayerEdit {
  std::size_t Model = 0;
  std::size_t Layer = 0;
  std::size_t Column = 0;
  float Before = 0;
  float After = 0;
};

// Undo goes back through the edits as far as the document was opened, past the last save too;
// redo goes forward again until a new edit drops what was undone. The document is changed
// whenever the position differs from the last save's.
class TEditHistory {
public:
  void Done(const TLayerEdit& edit);
  // The edit to take back, or none; the position moves back by one.
  std::optional<TLayerEdit> Undo();
  // The edit to make again, or none; the position moves on by one.
  std::optional<TLayerEdit> Redo();
  bool CanUndo() const noexcept { return FPosition > 0; }
  bool CanRedo() const noexcept { return FPosition < FEdits.size(); }

  bool Modified() const noexcept { return FSavedPosition != FPosition; }
  void MarkSaved() noexcept { FSavedPosition = FPosition; }
  // A change that cannot be taken back (a conversion): the history starts again, changed.
  void Reset() noexcept;

private:
  static constexpr std::size_t kNowhere = SIZE_MAX;

  std::vector<TLayerEdit> FEdits;
  std::size_t FPosition = 0;
  std::size_t FSavedPosition = 0;
};

} // namespace kiv::viewer
