#pragma once

// Draws the resistivity section: each layer a rectangle coloured by its resistivity, one
// sounding per pixel column at most, so that the cost follows the picture and not the file; the
// axes, the colour bar and the marker of the selected sounding.

#include "framework/toolkit/Canvas.h"
#include "viewer/SectionGeometry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kiv::viewer {

class TSurveyDocument;

// The margins around the plot area that the axes and the colour bar take.
TRect SectionPlotArea(int width, int height);

// Paints the section; the soundings go into a picture of the plot area, row by row, that is then
// drawn in one piece: a canvas call per layer of each pixel column would cost more than the whole
// frame may. Keeps that picture and its working lists from one paint to the next.
class TSectionPainter {
public:
  TSectionPainter();
  ~TSectionPainter();
  TSectionPainter(const TSectionPainter&) = delete;
  TSectionPainter& operator=(const TSectionPainter&) = delete;

  // Lays the viewport's plot area out in the canvas and paints into it.
  void Paint(TCanvas& canvas, const TSurveyDocument& document, const TSectionGeometry& geometry,
             TSectionViewport& viewport, std::optional<std::size_t> selected);

private:
  void PaintSoundings(const TSurveyDocument& document, const TSectionGeometry& geometry,
                      const TSectionViewport& viewport);

  std::unique_ptr<TBitmap> FPlot;
  // Per pixel column: where its bands begin in the lists below, where they end, and the row
  // reached while the rows are written.
  std::vector<std::uint32_t> FFirstBand;
  std::vector<std::uint32_t> FEndBand;
  std::vector<std::uint32_t> FCursor;
  // The bands of every drawn column, top down: the row below each and its pixel.
  std::vector<int> FBandEnd;
  std::vector<std::uint32_t> FBandPixel;
};

// The sounding drawn in the pixel column, or none where the column shows no sounding.
std::optional<std::size_t> SoundingAtPixel(const TSectionGeometry& geometry,
                                           const TSectionViewport& viewport, int pixelX);

// What lies under the pointer: "Distance 1234.5 m  Elevation 12.3 m  Resistivity 45.6 ohm-m";
// empty outside the plot area.
std::string PointerText(const TSurveyDocument& document, const TSectionGeometry& geometry,
                        const TSectionViewport& viewport, int pixelX, int pixelY);

} // namespace kiv::viewer
