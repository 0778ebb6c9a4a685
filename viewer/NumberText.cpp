#include "viewer/NumberText.h"

#include "core/NumberFormat.h"

#include <cmath>

namespace kiv::viewer {

std::string NumberText(double value) {
  if (value == 0 || !std::isfinite(value))
    return FloatToStr(value);
  const double scale = std::pow(10.0, 6 - std::floor(std::log10(std::fabs(value))));
  const double rounded = std::round(value * scale) / scale;
  return FloatToStr(std::isfinite(rounded) ? rounded : value);
}

} // namespace kiv::viewer
