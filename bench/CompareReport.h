#pragma once

#include "bench/CompareFigures.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

// The judgement and the report of kiv_bench_compare: the goals, the tables and the JSON figures.
namespace kiv::bench {

// printf into a string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// One measured figure against its bound: the median of the repetitions decides.
struct Check {
  std::string item;
  Samples values{};
  bool atMost = false;
  double bound = 0;
  const char* format = "%.2f";
  // When not empty: why the check is missed whatever its figure.
  std::string obstacle{};
  bool Met() const {
    const double median = values.Median();
    return obstacle.empty() && (atMost ? median <= bound : median >= bound);
  }
};

struct Goal {
  std::string text;
  std::vector<Check> checks{};
  bool Met() const {
    return std::all_of(checks.begin(), checks.end(), [](const Check& c) { return c.Met(); });
  }
};

// The goals, each with one check per style, form or layout measured.
std::vector<Goal> Goals(const Figures& figures);

// The tables of the figures, then the goals with the spread of their checks.
void PrintReport(std::ostream& out, const RunContext& context, const Figures& figures,
                 const std::vector<Goal>& goals);

// The figures and the goals as JSON.
void WriteJson(const std::string& path, const RunContext& context, const Figures& figures,
               const std::vector<Goal>& goals);

} // namespace kiv::bench
