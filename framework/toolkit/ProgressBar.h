#pragma once

// Toolkit: the progress bar (TProgressBar).

#include "framework/toolkit/Control.h"

#include <optional>

namespace kiv {

// A bar filled from Min to Position out of Max.
class TProgressBar : public TControl {
public:
  explicit TProgressBar(TComponent* AOwner);
  int Min() const;
  int Max() const;
  void SetRange(int AMin, int AMax);
  int Position() const;
  // Kept within Min and Max.
  void SetPosition(int APosition);
  int Step() const noexcept { return FStep; }
  void SetStep(int AStep) noexcept { FStep = AStep; }
  // Advances the position by Step.
  void StepIt();
  // A continuous fill rather than blocks; how either looks is the style's.
  bool Smooth() const noexcept { return FSmooth; }
  void SetSmooth(bool ASmooth) noexcept { FSmooth = ASmooth; }

protected:
  void WriteKeptValues() override;

private:
  std::optional<int> FKeptPosition;
  int FStep = 10;
  bool FSmooth = false;
};

} // namespace kiv
