#include "viewer/SoundingPainter.h"

#include "survey/Fields.h"
#include "viewer/AxisTicks.h"
#include "viewer/NumberText.h"
#include "viewer/SectionGeometry.h"
#include "viewer/SurveyDocument.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace kiv::viewer {
namespace {

constexpr int kLeft = 56;
constexpr int kTop = 44;
constexpr int kRight = 28;
constexpr int kBottom = 12;
constexpr int kTick = 4;
constexpr TColor clCurve = 0xA05020;
constexpr TColor clFrame = 0x404040;

struct Step {
  double resistivity;
  double top;
  double bottom;
};

std::vector<Step> Steps(const TSurveyDocument& document, const TSectionGeometry& geometry,
                        std::size_t sounding) {
  std::vector<Step> steps;
  document.WithModels([&](const auto& models) {
    const auto& model = models[sounding];
    survey::ForEachLayerDepth(model, [&](std::size_t k, double top, std::optional<double> bottom) {
      steps.push_back(
          {model.Layers[k].ResStart, top, bottom.value_or(top + geometry.HalfSpaceDepth())});
    });
  });
  return steps;
}

} // namespace

void PaintSounding(TCanvas& canvas, const TSurveyDocument* document,
                   const TSectionGeometry& geometry, const std::size_t* sounding) {
  canvas.Brush = {clWhite, TBrushStyle::bsSolid};
  canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
  const TRect plot{kLeft, kTop, std::max(kLeft + 1, canvas.Width() - kRight),
                   std::max(kTop + 1, canvas.Height() - kBottom)};
  canvas.Pen = {clFrame, 1, TPenStyle::psSolid};
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Rectangle({plot.Left - 1, plot.Top - 1, plot.Right + 1, plot.Bottom + 1});
  canvas.Font.Color = clBlack;
  if (document == nullptr || sounding == nullptr || *sounding >= document->Count()) {
    canvas.TextOut(plot.Left + 8, plot.Top + 8, "No sounding selected");
    return;
  }
  const std::vector<Step> steps = Steps(*document, geometry, *sounding);
  if (steps.empty())
    return;
  const TColourScale& colours = geometry.Colours();
  const double lowLog = std::floor(colours.LowLog());
  const double highLog = std::max(std::ceil(colours.HighLog()), lowLog + 1);
  const double deepest = steps.back().bottom;
  auto xOf = [&](double resistivity) {
    const double logValue = resistivity > 0 ? std::log10(resistivity) : lowLog;
    return plot.Left +
           static_cast<int>(std::lround((logValue - lowLog) * plot.Width() / (highLog - lowLog)));
  };
  auto yOf = [&](double depth) {
    return plot.Top + static_cast<int>(std::lround(depth * plot.Height() / deepest));
  };

  const int textHeight = canvas.TextHeight("0");
  for (const double value : LogTicks(lowLog, highLog)) {
    const int x = xOf(value);
    canvas.MoveTo(x, plot.Top - kTick);
    canvas.LineTo(x, plot.Top);
    const std::string label = NumberText(value);
    canvas.TextOut(x - canvas.TextWidth(label) / 2, plot.Top - kTick - textHeight, label);
  }
  const std::string title = "Resistivity (ohm-m)";
  canvas.TextOut(plot.Left + (plot.Width() - canvas.TextWidth(title)) / 2, 2, title);
  for (const double depth : LinearTicks(0, deepest, plot.Height() / (2 * textHeight + 1))) {
    const int y = yOf(depth);
    canvas.MoveTo(plot.Left - kTick, y);
    canvas.LineTo(plot.Left, y);
    const std::string label = NumberText(depth);
    canvas.TextOut(plot.Left - kTick - 2 - canvas.TextWidth(label), y - textHeight / 2, label);
  }
  canvas.TextOut(2, 2, "Depth (m)");

  std::vector<TPoint> curve;
  for (const Step& step : steps) {
    curve.push_back({xOf(step.resistivity), yOf(step.top)});
    curve.push_back({xOf(step.resistivity), yOf(step.bottom)});
  }
  canvas.Pen = {clCurve, 2, TPenStyle::psSolid};
  canvas.SetClipRect(plot);
  canvas.Polyline(curve);
  canvas.ResetClip();
}

} // namespace kiv::viewer
