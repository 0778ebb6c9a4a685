#pragma once

// The pixel density that the toolkit reports for a form: the horizontal one, by which a form's
// stored placement scales.

#include <QPaintDevice>

namespace kiv::toolkit {

inline int PixelsPerInch(const QPaintDevice& ADevice) {
  return ADevice.logicalDpiX();
}

} // namespace kiv::toolkit
