#include "viewer/SectionGeometry.h"

#include "survey/Fields.h"
#include "viewer/SurveyDocument.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kiv::viewer {
namespace {

// The half-space is drawn this far below the deepest interface of the file, as a share of that
// depth, and at least a few metres.
constexpr double kHalfSpaceShare = 0.25;
constexpr double kLeastHalfSpace = 10;
// The layers of at most this many soundings, spread evenly along the line, set the colour
// scale's range and the depth the section reaches. A pass over every layer of a large file cost
// an open a twentieth of its time, and the section shows no more soundings than it has pixel
// columns; a file of fewer soundings is measured whole.
constexpr std::size_t kMeasuredSoundings = 4096;

// The view spans at least a millimetre, and at least a billionth of the coordinates it shows, so
// that neighbouring pixels stay distinct doubles and a tick step moves a value.
constexpr double kLeastSpan = 1e-3;
constexpr double kLeastShare = 1e-9;

double LeastSpan(double low, double high) {
  return std::max(kLeastSpan, kLeastShare * std::max(std::fabs(low), std::fabs(high)));
}

// The factor by which a span may shrink without going below its least span; 1 when it is
// there already, the factor itself when it widens.
double AllowedZoom(double factor, double low, double high) {
  if (!(factor > 1))
    return factor;
  return std::clamp((high - low) / LeastSpan(low, high), 1.0, factor);
}

// Widens [low, high] around its middle to its least span.
void Widen(double& low, double& high) {
  const double least = LeastSpan(low, high);
  if (high - low >= least)
    return;
  const double middle = low / 2 + high / 2;
  low = middle - least / 2;
  high = middle + least / 2;
}

} // namespace

TSectionGeometry::TSectionGeometry(const TSurveyDocument& document) {
  const std::size_t count = document.Count();
  FDistances.resize(count);
  double top = -std::numeric_limits<double>::infinity();
  double lowestGround = std::numeric_limits<double>::infinity();
  double deepest = 0;
  // The colour scale's range in resistivity first, its logarithms once at the end: a logarithm
  // per layer cost more than the rest of this pass over the models together.
  float lowRes = std::numeric_limits<float>::infinity();
  float highRes = 0;
  bool located = count > 0;
  double along = 0;
  const std::size_t stride = std::max<std::size_t>(1, count / kMeasuredSoundings);
  document.WithModels([&](const auto& models) {
    for (std::size_t i = 0; i < count; ++i) {
      const auto& m = models[i];
      if (m.UTMX == 0 && m.UTMY == 0)
        located = false;
      if (i > 0)
        along += std::hypot(m.UTMX - models[i - 1].UTMX, m.UTMY - models[i - 1].UTMY);
      FDistances[i] = along;
      top = std::max(top, static_cast<double>(m.Elevation));
      lowestGround = std::min(lowestGround, static_cast<double>(m.Elevation));
      if (i % stride != 0)
        continue;
      if (!m.Layers.empty())
        deepest = std::max(deepest, survey::LayerTop(m, m.Layers.size() - 1));
      for (const auto& layer : m.Layers)
        if (layer.ResStart > 0) {
          lowRes = std::min(lowRes, layer.ResStart);
          highRes = std::max(highRes, layer.ResStart);
        }
    }
  });
  FByNumber = !located || along == 0;
  if (FByNumber)
    for (std::size_t i = 0; i < count; ++i)
      FDistances[i] = static_cast<double>(i + 1);
  if (count == 0)
    return;
  FSpacing =
      count > 1 ? (FDistances.back() - FDistances.front()) / static_cast<double>(count - 1) : 1;
  FStart = FDistances.front() - FSpacing / 2;
  FEnd = FDistances.back() + FSpacing / 2;
  FHalfSpaceDepth = std::max(kLeastHalfSpace, kHalfSpaceShare * deepest);
  FTop = top;
  FBottom = lowestGround - deepest - FHalfSpaceDepth;
  if (lowRes <= highRes)
    FColours = TColourScale(std::log10(lowRes), std::log10(highRes));
}

std::optional<std::size_t> TSectionGeometry::Nearest(double distance, double reach) const {
  if (FDistances.empty())
    return std::nullopt;
  const auto after = std::lower_bound(FDistances.begin(), FDistances.end(), distance);
  std::size_t best;
  if (after == FDistances.end())
    best = FDistances.size() - 1;
  else if (after == FDistances.begin())
    best = 0;
  else {
    const auto index = static_cast<std::size_t>(after - FDistances.begin());
    best = *after - distance < distance - FDistances[index - 1] ? index : index - 1;
  }
  if (std::fabs(FDistances[best] - distance) > reach)
    return std::nullopt;
  return best;
}

void TSectionViewport::Fit(const TSectionGeometry& geometry) {
  FLeft = geometry.Start();
  FRight = geometry.End();
  const double margin = (geometry.Top() - geometry.Bottom()) * 0.02;
  FTop = geometry.Top() + margin;
  FBottom = geometry.Bottom();
  Widen(FLeft, FRight);
  Widen(FBottom, FTop);
}

void TSectionViewport::SetPlot(int left, int top, int width, int height) {
  FPlotLeft = left;
  FPlotTop = top;
  FPlotWidth = std::max(width, 1);
  FPlotHeight = std::max(height, 1);
}

double TSectionViewport::XOf(int pixel) const {
  return FLeft + (pixel + 0.5 - FPlotLeft) * (FRight - FLeft) / FPlotWidth;
}

double TSectionViewport::ElevationOf(int pixel) const {
  return FTop - (pixel + 0.5 - FPlotTop) * (FTop - FBottom) / FPlotHeight;
}

double TSectionViewport::PixelOfX(double x) const {
  return FPlotLeft + (x - FLeft) * FPlotWidth / (FRight - FLeft);
}

double TSectionViewport::PixelOfElevation(double elevation) const {
  return FPlotTop + (FTop - elevation) * FPlotHeight / (FTop - FBottom);
}

void TSectionViewport::Zoom(double factor, int pixelX, int pixelY) {
  const double x = XOf(pixelX);
  const double y = ElevationOf(pixelY);
  const double across = AllowedZoom(factor, FLeft, FRight);
  const double down = AllowedZoom(factor, FBottom, FTop);
  FLeft = x - (x - FLeft) / across;
  FRight = x + (FRight - x) / across;
  FTop = y + (FTop - y) / down;
  FBottom = y - (y - FBottom) / down;
}

void TSectionViewport::Pan(int dx, int dy) {
  const double worldDx = dx * (FRight - FLeft) / FPlotWidth;
  const double worldDy = dy * (FTop - FBottom) / FPlotHeight;
  FLeft -= worldDx;
  FRight -= worldDx;
  FTop += worldDy;
  FBottom += worldDy;
}

} // namespace kiv::viewer
