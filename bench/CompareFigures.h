#pragma once

#include "bench/FreshPages.h"
#include "bench/Samples.h"

#include <cstdint>
#include <string>
#include <vector>

// What kiv_bench_compare measures, one figure per repetition, for its goals and its report.
namespace kiv::bench {

inline constexpr double kMB = 1e6;
inline constexpr double kMiB = 1024.0 * 1024.0;

// Wall-clock and processor seconds of repeated runs of one thing.
struct Timings {
  Samples wall{};
  Samples cpu{};
};

// A generated model file that the comparison reads.
struct Input {
  std::string style; // ".mod" or ".mo2"
  std::string form;  // "column": as the writer writes it; "general": the same values rewritten
  std::string path;
  std::int64_t models = 0;
  std::uint64_t bytes = 0;
  std::string Name() const { return style + " " + form; }
  double Megabytes() const { return static_cast<double>(bytes) / kMB; }
};

// Seconds per repetition.
struct ReadFigures {
  Input input;
  Samples ours{};
  Samples fromChars{};
  Samples istream{};
  Samples readOnly{};
  Samples modelCopy{}; // copying the models read: their memory without the text
  // How many times faster than the baseline the reader was, repetition by repetition.
  Samples Against(const Samples& baseline) const { return Ratios(baseline, ours); }
};

struct WriteFigures {
  std::string name;
  std::uint64_t bytes = 0;
  std::uint64_t baselineBytes = 0;
  Timings ours{};
  Timings toChars{};
  Timings snprintf{};
  Samples writeOnly{};
  std::string identical = "-"; // for the general layout: the output equals the generated file
  double Megabytes() const { return static_cast<double>(bytes) / kMB; }
  // The writer's output rate over the baseline's, repetition by repetition.
  Samples Against(const Samples& oursSeconds, const Samples& baselineSeconds) const {
    return Ratios(Rates(Megabytes(), oursSeconds),
                  Rates(static_cast<double>(baselineBytes) / kMB, baselineSeconds));
  }
};

struct MemoryFigures {
  Input input;
  Samples growthMiB{}; // VmHWM after the read minus before, one child per repetition
  std::uint64_t modelBytes = 0;
  double ModelMiB() const { return static_cast<double>(modelBytes) / kMiB; }
  double BoundMiB() const { return 1.3 * ModelMiB() + 16; }
  double PerFileByte(double mib) const { return mib * kMiB / static_cast<double>(input.bytes); }
};

// Milliseconds per run, the runs of the two files interleaved.
struct RunFigures {
  int runs = 0;
  Samples examplesMs{};
  Samples bigMs{};
  std::uint64_t bigBytes = 0;
  std::int64_t bigModels = 0;
  int examplesExit = 0;
  int bigExit = 0;
};

struct LinearityFigures {
  std::string name;
  std::int64_t models = 0;
  Samples smallMs{};
  Samples largeMs{};
  double sizeRatio = 2;
};

// Everything one run of the comparison measured.
struct Figures {
  std::vector<ReadFigures> reads;        // as the programs run them, on their heap
  std::vector<ReadFigures> defaultReads; // the same with the C library's own malloc
  std::string heap;
  std::string defaultHeap;
  FreshPageRates freshPages;
  std::vector<WriteFigures> writes;
  RunFigures run;
  std::vector<MemoryFigures> memory;
  std::vector<LinearityFigures> linearity;
};

// What the report says of the run itself.
struct RunContext {
  std::string commit;
  std::string date;
  bool quick = false;
  int repetitions = 0;
  double seconds = 0;      // measuring
  double setupSeconds = 0; // building and setting up before the measuring began
  std::int32_t layers = 0;
  std::int32_t lci = 0;
  std::uint64_t seed = 0;
};

} // namespace kiv::bench
