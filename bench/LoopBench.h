#pragma once

// What the benchmark programs that time by hand share: their two options, the time of one run or
// of one pass of a loop, and the lines of their report (a figure with its spread, a goal met or
// missed).

#include "bench/Samples.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace kiv::bench {

// How many items one pass of the loop takes, and how many passes.
struct LoopOptions {
  int items;
  int repetitions;
};

// Reads "--<itemsName> N" and "--repetitions R" into options, which hold the defaults. False,
// with the usage line on standard error, for anything else.
inline bool ParseLoopOptions(int argc, char** argv, const char* program, const char* itemsName,
                             LoopOptions& options) {
  const std::string itemsOption = std::string("--") + itemsName;
  bool ok = argc % 2 == 1;
  for (int i = 1; ok && i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const int value = std::atoi(argv[i + 1]);
    ok = value > 0 && (option == itemsOption || option == "--repetitions");
    if (ok)
      (option == itemsOption ? options.items : options.repetitions) = value;
  }
  if (!ok)
    std::fprintf(stderr, "usage: %s [%s N] [--repetitions R]   (%d and %d by default)\n", program,
                 itemsOption.c_str(), options.items, options.repetitions);
  return ok;
}

// The main of such a program: its options, then run(options) with any failure reported on
// standard error; 2 for a usage error, 1 for a failure, else what run returns.
template <class Run>
int LoopBenchMain(int argc, char** argv, const char* program, const char* itemsName,
                  LoopOptions options, Run run) {
  if (!ParseLoopOptions(argc, argv, program, itemsName, options))
    return 2;
  try {
    return run(options);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "%s: %s\n", program, failure.what());
    return 1;
  }
}

// The wall-clock seconds of one run of body.
template <class Body> double Seconds(Body&& body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Microseconds per item of one pass of body over the indexes 0 to count - 1.
template <class Body> double MicrosecondsPerItem(int count, Body body) {
  return Seconds([&] {
           for (size_t i = 0; i < static_cast<size_t>(count); ++i)
             body(i);
         }) *
         1e6 / count;
}

// "  label   median [least, greatest]" with the figures in format.
inline void PrintSpread(const char* label, const Samples& samples, const char* format = "%.2f") {
  const auto text = [&](double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return std::string(buffer);
  };
  std::printf("  %-44s %8s [%s, %s]\n", label, text(samples.Median()).c_str(),
              text(samples.Min()).c_str(), text(samples.Max()).c_str());
}

// "met: goal" or "missed: goal" for the median of samples against bound; true when met.
inline bool PrintGoal(const char* goal, const Samples& samples, bool atMost, double bound) {
  const double median = samples.Median();
  const bool met = atMost ? median <= bound : median >= bound;
  std::printf("%s: %s (median %.2f, goal %s %.2f)\n", met ? "met" : "missed", goal, median,
              atMost ? "<=" : ">=", bound);
  return met;
}

} // namespace kiv::bench
