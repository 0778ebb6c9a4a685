#pragma once

// Readable tick values for an axis: steps of 1, 2 or 5 times a power of ten, and decades with
// their 2 and 5 for a logarithmic axis.

#include <vector>

namespace kiv::viewer {

// The multiples of a round step inside [low, high], at most about maxCount of them.
std::vector<double> LinearTicks(double low, double high, int maxCount);

// The values 1, 2 and 5 times a power of ten with their log10 inside [lowLog, highLog]; only the
// powers of ten when those alone are at least three, or the 2s and 5s would crowd them.
std::vector<double> LogTicks(double lowLog, double highLog);

} // namespace kiv::viewer
