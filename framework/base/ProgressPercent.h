#pragma once

// The percentage a progress display shows for an item of a count.

#include <cstdint>

namespace kiv {

// ACurIndex * 100 / ATotal rounded to the nearest integer, ties to even, exact for every index
// from 0 to below ATotal (no product is formed that could overflow): 1 of 8 gives 12, 3 of 8
// gives 38. Throws std::invalid_argument for an index outside that range.
int ProgressPercent(std::int64_t ACurIndex, std::int64_t ATotal);

} // namespace kiv
