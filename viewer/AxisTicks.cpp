#include "viewer/AxisTicks.h"

#include <algorithm>
#include <cmath>

namespace kiv::viewer {
namespace {

// More ticks than an axis can show; a bound on every tick loop, which counts ticks and never
// steps a double that may not move (past 2^53 adding 1 changes nothing).
constexpr double kTickLimit = 1000;

} // namespace

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
  const double first = std::ceil(low / tick(1));
  const double count = std::floor(high / tick(1)) - first + 1;
  if (!(count >= 1))
    return ticks;
  for (int i = 0; i < std::min(count, kTickLimit); ++i) {
    // Past 2^53 neighbouring multiples are one double: each value is shown once.
    const double value = tick(first + i) == 0 ? 0.0 : tick(first + i);
    if (value <= high && (ticks.empty() || value > ticks.back()))
      ticks.push_back(value);
  }
  return ticks;
}

std::vector<double> LogTicks(double lowLog, double highLog) {
  std::vector<double> decades;
  std::vector<double> all;
  const double first = std::floor(lowLog);
  const double count = std::ceil(highLog) - first + 1;
  for (int i = 0; count >= 1 && i < std::min(count, kTickLimit); ++i)
    for (const double factor : {1.0, 2.0, 5.0}) {
      const double value = factor * std::pow(10.0, first + i);
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
