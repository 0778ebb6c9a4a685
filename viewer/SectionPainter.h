#pragma once

// Draws the resistivity section: each layer a rectangle coloured by its resistivity, one
// sounding per pixel column at most, so that the cost follows the picture and not the file; the
// axes, the colour bar and the marker of the selected sounding.

#include "framework/toolkit/Canvas.h"
#include "viewer/SectionGeometry.h"

#include <cstddef>
#include <optional>
#include <string>

namespace kiv::viewer {

class TSurveyDocument;

// The margins around the plot area that the axes and the colour bar take.
TRect SectionPlotArea(int width, int height);

void PaintSection(TCanvas& canvas, const TSurveyDocument& document,
                  const TSectionGeometry& geometry, TSectionViewport& viewport,
                  std::optional<std::size_t> selected);

// The sounding drawn in the pixel column, or none where the column shows no sounding.
std::optional<std::size_t> SoundingAtPixel(const TSectionGeometry& geometry,
                                           const TSectionViewport& viewport, int pixelX);

// What lies under the pointer: "Distance 1234.5 m  Elevation 12.3 m  Resistivity 45.6 ohm-m";
// empty outside the plot area.
std::string PointerText(const TSurveyDocument& document, const TSectionGeometry& geometry,
                        const TSectionViewport& viewport, int pixelX, int pixelY);

} // namespace kiv::viewer
