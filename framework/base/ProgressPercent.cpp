#include "framework/base/ProgressPercent.h"

#include <stdexcept>

namespace kiv {

int ProgressPercent(std::int64_t ACurIndex, std::int64_t ATotal) {
  if (ACurIndex < 0 || ACurIndex >= ATotal)
    throw std::invalid_argument("ProgressPercent: the index " + std::to_string(ACurIndex) +
                                " lies outside 0 to " + std::to_string(ATotal));
  // Long multiplication by 100, one bit at a time, keeping the remainder below the total: with
  // the total below 2^63 no unsigned sum passes 2^64.
  const auto index = static_cast<std::uint64_t>(ACurIndex);
  const auto total = static_cast<std::uint64_t>(ATotal);
  std::uint64_t quotient = 0;
  std::uint64_t remainder = 0;
  for (int bit = 6; bit >= 0; --bit) {
    quotient *= 2;
    remainder *= 2;
    if (remainder >= total) {
      remainder -= total;
      ++quotient;
    }
    if ((100u >> bit) & 1u) {
      remainder += index;
      if (remainder >= total) {
        remainder -= total;
        ++quotient;
      }
    }
  }
  const std::uint64_t twice = 2 * remainder;
  if (twice > total || (twice == total && quotient % 2 == 1))
    ++quotient;
  return static_cast<int>(quotient);
}

} // namespace kiv
