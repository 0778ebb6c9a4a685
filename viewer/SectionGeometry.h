#pragma once

// Where the soundings of a document lie in the section: their distance along the line, the
// depths the section reaches, the range of resistivity, and the sounding nearest a distance.

#include "viewer/ColourScale.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace kiv::viewer {

class TSurveyDocument;

class TSectionGeometry {
public:
  TSectionGeometry() = default;
  // One pass over the models; the colour range and the depth reached come from the layers of at
  // most a few thousand soundings spread along the line. Distances are cumulative between the
  // soundings' X and Y; where a sounding has neither (both 0), or all stand at one place, the
  // soundings are numbered along the line instead (1, 2, ...).
  explicit TSectionGeometry(const TSurveyDocument& document);

  std::size_t Count() const noexcept { return FDistances.size(); }
  double Distance(std::size_t sounding) const { return FDistances[sounding]; }
  bool ByNumber() const noexcept { return FByNumber; }
  // Along the line, the first and last distance; half a typical spacing more on each side.
  double Start() const noexcept { return FStart; }
  double End() const noexcept { return FEnd; }
  // The section's height: the highest ground and the deepest bottom of a drawn layer.
  double Top() const noexcept { return FTop; }
  double Bottom() const noexcept { return FBottom; }
  // How far below its deepest interface a sounding's half-space is drawn: the same for all.
  double HalfSpaceDepth() const noexcept { return FHalfSpaceDepth; }
  // The distance between neighbouring soundings on average.
  double Spacing() const noexcept { return FSpacing; }
  const TColourScale& Colours() const noexcept { return FColours; }

  // The sounding nearest distance, or none when the nearest lies further than reach from it.
  std::optional<std::size_t> Nearest(double distance, double reach) const;

private:
  std::vector<double> FDistances;
  bool FByNumber = true;
  double FStart = 0;
  double FEnd = 1;
  double FTop = 0;
  double FBottom = -1;
  double FHalfSpaceDepth = 10;
  double FSpacing = 1;
  TColourScale FColours;
};

// The part of the section in view, and how it maps to the pixels of the plot area.
class TSectionViewport {
public:
  // Shows the whole section, at least the least span on each axis (below).
  void Fit(const TSectionGeometry& geometry);
  // The plot area in pixels of the paint box.
  void SetPlot(int left, int top, int width, int height);

  int PlotLeft() const noexcept { return FPlotLeft; }
  int PlotTop() const noexcept { return FPlotTop; }
  int PlotWidth() const noexcept { return FPlotWidth; }
  int PlotHeight() const noexcept { return FPlotHeight; }
  double Left() const noexcept { return FLeft; }
  double Right() const noexcept { return FRight; }
  double Top() const noexcept { return FTop; }
  double Bottom() const noexcept { return FBottom; }

  double XOf(int pixel) const;
  double ElevationOf(int pixel) const;
  double PixelOfX(double x) const;
  double PixelOfElevation(double elevation) const;

  // Zooms by factor (above 1: closer) around the pixel, which keeps showing the same place. No
  // axis comes closer than a least span: a millimetre, or a billionth of its coordinates when
  // that is more, where the pixels and the ticks would no longer be distinct numbers.
  void Zoom(double factor, int pixelX, int pixelY);
  // Moves the view with the pointer: dx, dy pixels dragged.
  void Pan(int dx, int dy);

  bool operator==(const TSectionViewport&) const = default;

private:
  int FPlotLeft = 0;
  int FPlotTop = 0;
  int FPlotWidth = 1;
  int FPlotHeight = 1;
  double FLeft = 0;
  double FRight = 1;
  double FTop = 1;
  double FBottom = 0;
};

} // namespace kiv::viewer
