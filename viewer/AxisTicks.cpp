#include "viewer/AxisTicks.h"

#include <cmath>

namespace kiv::viewer {

std::vector<double> LinearTicks(double low, double high, int maxCount) {
  std::vector<double> ticks;
  if (!(high > low) || maxCount < 1)
    return ticks;
  const double rough = (high - low) / maxCount;
  const double exponent = std::floor(std::log10(rough));
  double factor = 10;
  for (const double f : {1.0, 2.0, 5.0})
    if (f * std::pow(10.0, exponent) >= rough) {
      factor = f;
      break;
    }
  // A step below 1 divides by a power of ten, which is exact where multiplying by its inverse
  // is not: 3 * 0.1 is 0.30000000000000004, 3 / 10 is 0.3.
  const double scale = std::pow(10.0, std::fabs(exponent));
  const auto tick = [&](double k) {
    return exponent < 0 ? k * factor / scale : k * factor * scale;
  };
  for (double k = std::ceil(low / tick(1)); tick(k) <= high; k += 1)
    ticks.push_back(tick(k) == 0 ? 0.0 : tick(k));
  return ticks;
}

std::vector<double> LogTicks(double lowLog, double highLog) {
  std::vector<double> decades;
  std::vector<double> all;
  for (double e = std::floor(lowLog); e <= std::ceil(highLog); e += 1)
    for (const double factor : {1.0, 2.0, 5.0}) {
      const double value = factor * std::pow(10.0, e);
      const double logValue = std::log10(value);
      if (logValue < lowLog - 1e-9 || logValue > highLog + 1e-9)
        continue;
      all.push_back(value);
      if (factor == 1.0)
        decades.push_back(value);
    }
  return decades.size() >= 3 ? decades : all;
}

} // namespace kiv::viewer
