#include "viewer/SectionPainter.h"

#include "survey/Fields.h"
#include "viewer/AxisTicks.h"
#include "viewer/NumberText.h"
#include "viewer/SurveyDocument.h"
#include "viewer/testing/SectionPaintSeam.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kiv::viewer {
namespace {

constexpr int kLeftMargin = 64;
constexpr int kTopMargin = 24;
constexpr int kRightMargin = 100;
constexpr int kBottomMargin = 44;
constexpr int kBarGap = 14;
constexpr int kBarWidth = 18;
constexpr int kTickLength = 5;
constexpr TColor clMarker = 0x0000E0;
constexpr TColor clFrame = 0x404040;

// A pixel coordinate kept a little outside the plot area, so that a far zoom does not overflow.
int ClampedPixel(double pixel, int low, int high) {
  return static_cast<int>(std::lround(std::clamp(pixel, low - 2.0, high + 2.0)));
}

double Reach(const TSectionGeometry& geometry, const TSectionViewport& viewport) {
  const double column = (viewport.Right() - viewport.Left()) / viewport.PlotWidth();
  return std::max(geometry.Spacing(), column / 2);
}

// The bands of one sounding's layers, top down, in rows of the plot area: the row below each and
// its pixel. Rows above the ground get the background as a band of their own.
template <class Model>
void AddBands(const Model& model, const TSectionGeometry& geometry,
              const TSectionViewport& viewport, std::vector<int>& ends,
              std::vector<std::uint32_t>& pixels) {
  const int top = viewport.PlotTop();
  const int bottom = top + viewport.PlotHeight();
  const double ground = model.Elevation;
  ends.push_back(ClampedPixel(viewport.PixelOfElevation(ground), top, bottom) - top);
  pixels.push_back(TBitmap::PixelOf(clWhite));
  // One running sum down the model: a sum per layer would cost the paint the square of the
  // layers of every column.
  survey::ForEachLayerDepth(
      model, [&](std::size_t k, double layerTop, std::optional<double> layerBottom) {
        const double depth = layerBottom.value_or(layerTop + geometry.HalfSpaceDepth());
        ends.push_back(ClampedPixel(viewport.PixelOfElevation(ground - depth), top, bottom) - top);
        pixels.push_back(TBitmap::PixelOf(geometry.Colours().Colour(model.Layers[k].ResStart)));
      });
}

void PaintMarker(TCanvas& canvas, const TSectionGeometry& geometry,
                 const TSectionViewport& viewport, std::size_t selected) {
  const double pixel = viewport.PixelOfX(geometry.Distance(selected));
  const int left = viewport.PlotLeft();
  if (pixel < left - 1 || pixel > left + viewport.PlotWidth() + 1)
    return;
  const int x = static_cast<int>(std::lround(pixel));
  const int top = viewport.PlotTop();
  const int bottom = top + viewport.PlotHeight();
  canvas.Pen = {clWhite, 5, TPenStyle::psSolid};
  canvas.MoveTo(x, top);
  canvas.LineTo(x, bottom);
  canvas.Pen = {clMarker, 3, TPenStyle::psSolid};
  canvas.MoveTo(x, top);
  canvas.LineTo(x, bottom);
  const TPoint arrow[] = {{x - 6, top - 9}, {x + 6, top - 9}, {x, top - 1}, {x - 6, top - 9}};
  canvas.Polyline(arrow);
}

void PaintAxes(TCanvas& canvas, const TSectionGeometry& geometry,
               const TSectionViewport& viewport) {
  const TRect plot{viewport.PlotLeft(), viewport.PlotTop(),
                   viewport.PlotLeft() + viewport.PlotWidth(),
                   viewport.PlotTop() + viewport.PlotHeight()};
  canvas.Pen = {clFrame, 1, TPenStyle::psSolid};
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Rectangle({plot.Left - 1, plot.Top - 1, plot.Right + 1, plot.Bottom + 1});
  canvas.Font.Color = clBlack;
  const int textHeight = canvas.TextHeight("0");

  for (const double x : LinearTicks(viewport.Left(), viewport.Right(), plot.Width() / 90)) {
    if (geometry.ByNumber() && x != std::floor(x))
      continue;
    const int px = static_cast<int>(std::lround(viewport.PixelOfX(x)));
    canvas.MoveTo(px, plot.Bottom);
    canvas.LineTo(px, plot.Bottom + kTickLength);
    const std::string label = NumberText(x);
    canvas.TextOut(px - canvas.TextWidth(label) / 2, plot.Bottom + kTickLength + 1, label);
  }
  const std::string title = geometry.ByNumber() ? "Sounding" : "Distance (m)";
  canvas.TextOut(plot.Left + (plot.Width() - canvas.TextWidth(title)) / 2,
                 plot.Bottom + kTickLength + textHeight + 2, title);

  for (const double y :
       LinearTicks(viewport.Bottom(), viewport.Top(), plot.Height() / (2 * textHeight + 1))) {
    const int py = static_cast<int>(std::lround(viewport.PixelOfElevation(y)));
    canvas.MoveTo(plot.Left - kTickLength, py);
    canvas.LineTo(plot.Left, py);
    const std::string label = NumberText(y);
    canvas.TextOut(plot.Left - kTickLength - 2 - canvas.TextWidth(label), py - textHeight / 2,
                   label);
  }
  canvas.TextOut(4, 2, "Elevation (m)");
}

void PaintColourBar(TCanvas& canvas, const TColourScale& colours,
                    const TSectionViewport& viewport) {
  const int left = viewport.PlotLeft() + viewport.PlotWidth() + kBarGap;
  const int top = viewport.PlotTop();
  const int height = viewport.PlotHeight();
  const double span = colours.HighLog() - colours.LowLog();
  canvas.Brush.Style = TBrushStyle::bsSolid;
  for (int row = 0; row < height; ++row) {
    canvas.Brush.Color = colours.ColourOfLog(colours.HighLog() - (row + 0.5) * span / height);
    canvas.FillRect({left, top + row, left + kBarWidth, top + row + 1});
  }
  canvas.Pen = {clFrame, 1, TPenStyle::psSolid};
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Rectangle({left - 1, top - 1, left + kBarWidth + 1, top + height + 1});
  const int textHeight = canvas.TextHeight("0");
  for (const double value : LogTicks(colours.LowLog(), colours.HighLog())) {
    const int y = top + static_cast<int>(
                            std::lround((colours.HighLog() - std::log10(value)) * height / span));
    canvas.MoveTo(left + kBarWidth, y);
    canvas.LineTo(left + kBarWidth + kTickLength, y);
    canvas.TextOut(left + kBarWidth + kTickLength + 2, y - textHeight / 2, NumberText(value));
  }
  canvas.TextOut(left - 4, 2, "ohm-m");
}

} // namespace

TRect SectionPlotArea(int width, int height) {
  return {kLeftMargin, kTopMargin, std::max(kLeftMargin + 1, width - kRightMargin),
          std::max(kTopMargin + 1, height - kBottomMargin)};
}

std::optional<std::size_t> SoundingAtPixel(const TSectionGeometry& geometry,
                                           const TSectionViewport& viewport, int pixelX) {
  return geometry.Nearest(viewport.XOf(pixelX), Reach(geometry, viewport));
}

TSectionPainter::TSectionPainter() = default;
TSectionPainter::~TSectionPainter() = default;

void TSectionPainter::PaintSoundings(const TSurveyDocument& document,
                                     const TSectionGeometry& geometry,
                                     const TSectionViewport& viewport) {
  const int width = viewport.PlotWidth();
  const int height = viewport.PlotHeight();
  if (!FPlot || FPlot->Width() != width || FPlot->Height() != height)
    FPlot = std::make_unique<TBitmap>(width, height);
  const auto columns = static_cast<std::size_t>(width);
  FFirstBand.assign(columns, 0);
  FEndBand.assign(columns, 0);
  FBandEnd.clear();
  FBandPixel.clear();
  // One sounding per pixel column at most; neighbouring columns of the same sounding share its
  // bands.
  document.WithModels([&](const auto& models) {
    std::optional<std::size_t> previous;
    for (std::size_t x = 0; x < columns; ++x) {
      const std::optional<std::size_t> sounding =
          SoundingAtPixel(geometry, viewport, viewport.PlotLeft() + static_cast<int>(x));
      if (x > 0 && sounding == previous) {
        FFirstBand[x] = FFirstBand[x - 1];
        FEndBand[x] = FEndBand[x - 1];
        continue;
      }
      previous = sounding;
      FFirstBand[x] = static_cast<std::uint32_t>(FBandEnd.size());
      if (sounding)
        AddBands(models[*sounding], geometry, viewport, FBandEnd, FBandPixel);
      FEndBand[x] = static_cast<std::uint32_t>(FBandEnd.size());
    }
  });
  // Row by row, each column's cursor moving down its bands, so that the writes run along rows.
  const std::uint32_t background = TBitmap::PixelOf(clWhite);
  FCursor = FFirstBand;
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = FPlot->ScanLine(y);
    for (std::size_t x = 0; x < columns; ++x) {
      std::uint32_t band = FCursor[x];
      const std::uint32_t end = FEndBand[x];
      while (band < end && y >= FBandEnd[band])
        ++band;
      FCursor[x] = band;
      row[x] = band < end ? FBandPixel[band] : background;
    }
  }
}

void TSectionPainter::Paint(TCanvas& canvas, const TSurveyDocument& document,
                            const TSectionGeometry& geometry, TSectionViewport& viewport,
                            std::optional<std::size_t> selected) {
  if (testing::sectionPaintBegins != nullptr)
    testing::sectionPaintBegins();
  canvas.Brush = {clWhite, TBrushStyle::bsSolid};
  canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
  const TRect plot = SectionPlotArea(canvas.Width(), canvas.Height());
  viewport.SetPlot(plot.Left, plot.Top, plot.Width(), plot.Height());
  PaintSoundings(document, geometry, viewport);
  canvas.Draw(plot.Left, plot.Top, *FPlot);
  if (selected && *selected < geometry.Count())
    PaintMarker(canvas, geometry, viewport, *selected);
  PaintAxes(canvas, geometry, viewport);
  PaintColourBar(canvas, geometry.Colours(), viewport);
}

std::string PointerText(const TSurveyDocument& document, const TSectionGeometry& geometry,
                        const TSectionViewport& viewport, int pixelX, int pixelY) {
  if (pixelX < viewport.PlotLeft() || pixelX >= viewport.PlotLeft() + viewport.PlotWidth() ||
      pixelY < viewport.PlotTop() || pixelY >= viewport.PlotTop() + viewport.PlotHeight())
    return {};
  const double x = viewport.XOf(pixelX);
  const double elevation = viewport.ElevationOf(pixelY);
  std::string text = geometry.ByNumber() ? "Sounding " + NumberText(std::round(x))
                                         : "Distance " + NumberText(x) + " m";
  text += "   Elevation " + NumberText(elevation) + " m";
  const std::optional<std::size_t> sounding = SoundingAtPixel(geometry, viewport, pixelX);
  if (!sounding)
    return text;
  document.WithModels([&](const auto& models) {
    const auto& model = models[*sounding];
    const double depth = model.Elevation - elevation;
    if (depth < 0 || model.Layers.empty())
      return;
    bool found = false;
    survey::ForEachLayerDepth(model, [&](std::size_t k, double, std::optional<double> bottom) {
      if (!found && (!bottom || depth < *bottom)) {
        text += "   Resistivity " + NumberText(model.Layers[k].ResStart) + " ohm-m";
        found = true;
      }
    });
  });
  return text;
}

} // namespace kiv::viewer
