#pragma once

// Draws one sounding as a step curve of resistivity (logarithmic axis) against depth.

#include "framework/toolkit/Canvas.h"

#include <cstddef>

namespace kiv::viewer {

class TSurveyDocument;
class TSectionGeometry;

// With no sounding (none selected) only the frame and a hint are drawn.
void PaintSounding(TCanvas& canvas, const TSurveyDocument* document,
                   const TSectionGeometry& geometry, const std::size_t* sounding);

} // namespace kiv::viewer
