#include "viewer/AxisTicks.h"

#include <cmath>

namespace kiv::viewer {

std::vector<double> LinearTicks(double low, double high, int maxCount) {
  std::vector<double> ticks;
  if (!(high > low) || maxCount < 1)
    return ticks;
  const double rough = (high - low) / maxCount;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = power;
  for (const double factor : {1.0, 2.0, 5.0, 10.0})
    if (power * factor >= rough) {
      step = power * factor;
      break;
    }
  for (double k = std::ceil(low / step); k * step <= high; k += 1)
    ticks.push_back(k * step == 0 ? 0.0 : k * step);
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
