#pragma once

// Colours of resistivity: log10 of the value on a perceptual colour map (viridis), over the range
// of the file's values.

#include "framework/toolkit/Control.h"

namespace kiv::viewer {

// The colour of t in [0, 1] on the viridis map, dark blue to yellow; t outside is clamped.
TColor Viridis(double t);

// Maps resistivities to colours over [Low, High] in log10 (ohm-m).
class TColourScale {
public:
  TColourScale() = default;
  // A range of one value is widened by half a decade each way.
  TColourScale(double lowLog, double highLog);
  double LowLog() const noexcept { return FLow; }
  double HighLog() const noexcept { return FHigh; }
  // A value that is not positive takes the low end's colour.
  TColor Colour(double resistivity) const;
  TColor ColourOfLog(double logValue) const;

private:
  double FLow = 0;
  double FHigh = 4;
};

} // namespace kiv::viewer
