#include "framework/base/ProgressPercent.h"
#include "framework/base/RunTimeName.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

namespace kiv {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

TEST(ProgressPercent, RoundsTiesToEvenWithoutOverflow) {
  struct Case {
    std::int64_t index;
    std::int64_t total;
    int percent;
  };
  const Case cases[] = {
      {1, 8, 12},
      {3, 8, 38},
      {5, 8, 62},
      {7, 8, 88},
      {1, 200, 0},
      {3, 200, 2},
      {1, 3, 33},
      {2, 3, 67},
      {0, 10, 0},
      {5, 10, 50},
      {9, 10, 90},
      {199, 200, 100},
      {kMax - 1, kMax, 100},
      {kMax / 2, kMax, 50},
      {kMax / 8, kMax, 12},
      {1, kMax, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ProgressPercent(c.index, c.total), c.percent) << c.index << " of " << c.total;
}

TEST(ProgressPercent, RefusesAnIndexOutsideTheRun) {
  for (const auto& [index, total] :
       {std::pair<std::int64_t, std::int64_t>{10, 10}, {-1, 10}, {0, 0}})
    EXPECT_THROW(ProgressPercent(index, total), std::invalid_argument) << index << " of " << total;
}

TEST(RunTimeName, TwoNamesInOneTickDiffer) {
  const std::string first = RunTimeName("PopupMenu");
  const std::string second = RunTimeName("PopupMenu");
  EXPECT_NE(first, second);
  EXPECT_EQ(first.rfind("PopupMenu", 0), 0u);
  EXPECT_EQ(first.find_first_not_of("0123456789_", 9), std::string::npos) << first;
}

} // namespace
} // namespace kiv
