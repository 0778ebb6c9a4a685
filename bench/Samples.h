#pragma once

#include <algorithm>
#include <vector>

namespace kiv::bench {

// One figure per repetition of a measurement: the median is what counts, the least and the
// greatest show how far the repetitions spread.
struct Samples {
  std::vector<double> values;

  void Add(double value) { values.push_back(value); }
  double Median() const {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    return n == 0 ? 0 : n % 2 == 1 ? sorted[n / 2] : 0.5 * (sorted[n / 2 - 1] + sorted[n / 2]);
  }
  double Min() const {
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
  }
  double Max() const {
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
  }
};

// amount / seconds, repetition by repetition: a rate per repetition.
inline Samples Rates(double amount, const Samples& seconds) {
  Samples rates;
  for (double s : seconds.values)
    rates.Add(s > 0 ? amount / s : 0);
  return rates;
}

// numerators / denominators, repetition by repetition: each ratio compares two figures taken
// in the same repetition, so that a slow moment of the machine weighs on both.
inline Samples Ratios(const Samples& numerators, const Samples& denominators) {
  Samples ratios;
  for (size_t i = 0; i < numerators.values.size() && i < denominators.values.size(); ++i)
    ratios.Add(denominators.values[i] != 0 ? numerators.values[i] / denominators.values[i] : 0);
  return ratios;
}

} // namespace kiv::bench
