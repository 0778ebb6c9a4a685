#include "viewer/ColourScale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kiv::viewer {
namespace {

struct Rgb {
  double r, g, b;
};

// The map in eleven even steps; between them the colour is interpolated linearly.
constexpr std::array<Rgb, 11> kViridis{{{68, 1, 84},
                                        {72, 36, 117},
                                        {65, 68, 135},
                                        {53, 95, 141},
                                        {42, 120, 142},
                                        {33, 145, 140},
                                        {34, 168, 132},
                                        {68, 191, 112},
                                        {122, 209, 81},
                                        {189, 223, 38},
                                        {253, 231, 37}}};

int Channel(double value) {
  return static_cast<int>(std::lround(value));
}

} // namespace

TColor Viridis(double t) {
  if (!(t > 0))
    t = 0;
  t = std::min(t, 1.0) * (kViridis.size() - 1);
  const auto lower = std::min(static_cast<std::size_t>(t), kViridis.size() - 2);
  const double f = t - static_cast<double>(lower);
  const Rgb& a = kViridis[lower];
  const Rgb& b = kViridis[lower + 1];
  return Channel(a.r + f * (b.r - a.r)) | Channel(a.g + f * (b.g - a.g)) << 8 |
         Channel(a.b + f * (b.b - a.b)) << 16;
}

TColourScale::TColourScale(double lowLog, double highLog) : FLow(lowLog), FHigh(highLog) {
  if (!(FHigh > FLow)) {
    FLow -= 0.5;
    FHigh = FLow + 1;
  }
}

TColor TColourScale::ColourOfLog(double logValue) const {
  return Viridis((logValue - FLow) / (FHigh - FLow));
}

TColor TColourScale::Colour(double resistivity) const {
  return resistivity > 0 ? ColourOfLog(std::log10(resistivity)) : ColourOfLog(FLow);
}

} // namespace kiv::viewer
