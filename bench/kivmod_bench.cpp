// kivmod beside its baselines: export as CSV against the benchmark's bare to_chars column
// formatter writing as many values, with export's peak memory against the models' size; check of
// a large file against the library's Open alone; check --header against the run's header check.
// Each ratio is taken within one repetition; the median of the repetitions is reported.
#include "bench/Baselines.h"
#include "bench/BenchModel.h"
#include "bench/LoopBench.h"
#include "bench/ModelFileGenerator.h"
#include "bench/ModelMemory.h"
#include "bench/ScratchFiles.h"
#include "model/ModFile_.h"
#include "platform/heap/ProgramHeap.h"
#include "platform/testing/ChildProcess.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace kiv::bench {
namespace {

constexpr const char* kModelTypeOptions[] = {"--params", "Chargeability,TauRho", "--extras",
                                             "Altitude,Pitch"};

void Run(const std::string& program, const std::vector<std::string>& arguments) {
  const platform::testing::ChildResult result = platform::testing::RunChild(program, arguments);
  if (result.exitCode != 0 && result.exitCode != 100) {
    std::fprintf(stderr, "kivmod_bench: %s failed (%d): %s\n", program.c_str(), result.exitCode,
                 result.standardError.c_str());
    std::exit(1);
  }
}

std::vector<std::string> Arguments(std::initializer_list<std::string> first) {
  std::vector<std::string> arguments(first);
  arguments.insert(arguments.end(), std::begin(kModelTypeOptions), std::end(kModelTypeOptions));
  return arguments;
}

// Runs the program with its output to /dev/null and returns its own peak resident size in MiB
// (wait4's, of that child alone).
double PeakMib(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
    std::exit(1);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The cells of a CSV text that hold a value, and its rows.
std::uint64_t CountValues(const std::string& csv, std::uint64_t& rows) {
  std::uint64_t values = 0;
  bool inCell = false;
  rows = 0;
  for (const char c : csv) {
    if (c == ',' || c == '\r' || c == '\n') {
      values += inCell ? 1 : 0;
      inCell = false;
      rows += c == '\n' ? 1 : 0;
    } else {
      inCell = true;
    }
  }
  return values;
}

// The file's numbers, repeated to count values of columns per line: as many values as export
// wrote, for the to_chars formatter.
NumberTable TableOf(const std::string& path, std::uint64_t count, std::uint32_t columns) {
  const NumberTable file = ReadNumberTable(path);
  NumberTable table;
  for (std::uint64_t i = 0, at = 0; i < count; ++i, at = (at + 1) % file.columns.size()) {
    while (file.kinds[at] == NumberTable::Blank)
      at = (at + 1) % file.columns.size();
    table.columns.push_back(file.columns[at]);
    table.kinds.push_back(file.kinds[at]);
  }
  for (std::uint64_t left = count; left > 0; left -= std::min<std::uint64_t>(left, columns))
    table.columnsPerLine.push_back(
        static_cast<std::uint32_t>(std::min<std::uint64_t>(left, columns)));
  return table;
}

void Export(const std::string& modFile, int repetitions) {
  const std::string csv = Scratch().Path("export.csv");
  const std::string formatted = Scratch().Path("to_chars.txt");
  // A process that reads no models: where the others' memory starts; a full read alone.
  const double idleMib = PeakMib(KIV_KIVMOD, {"check", "--header", modFile});
  const double readMib = PeakMib(KIV_KIVMOD, Arguments({"check", modFile}));
  const double peakMib = PeakMib(KIV_KIVMOD, Arguments({"export", modFile, "-o", csv}));
  std::uint64_t rows = 0;
  const std::uint64_t values = CountValues(ReadWholeFile(csv), rows);
  const NumberTable table = TableOf(
      modFile, values, static_cast<std::uint32_t>(values / std::max<std::uint64_t>(rows, 1)));
  std::string buffer;
  Samples exportSeconds;
  Samples toCharsSeconds;
  for (int r = 0; r < repetitions; ++r) {
    exportSeconds.Add(Seconds([&] { Run(KIV_KIVMOD, Arguments({"export", modFile, "-o", csv})); }));
    toCharsSeconds.Add(Seconds([&] { WriteWithToChars(table, formatted, buffer); }));
  }
  TModFile models(modFile, BenchModelType());
  const double modelsMib = static_cast<double>(ModelBytes(models)) / (1024.0 * 1024.0);
  std::printf("export --format csv: %llu rows, %llu values\n",
              static_cast<unsigned long long>(rows), static_cast<unsigned long long>(values));
  PrintSpread("kivmod export, s (whole command)", exportSeconds, "%.3f");
  PrintSpread("to_chars columns, same values, s", toCharsSeconds, "%.3f");
  PrintGoal("export / to_chars, in speed", Ratios(toCharsSeconds, exportSeconds), false, 0.8);
  std::printf(
      "  peak memory growth, MiB                   %8.1f  goal <= %.1f (models %.1f + 16)\n",
      peakMib - idleMib, modelsMib + 16, modelsMib);
  std::printf("  the same of a full read alone (check), MiB %7.1f; export adds %.1f\n",
              readMib - idleMib, peakMib - readMib);
}

void Check(const std::string& bigFile, const std::string& runFile, int repetitions, int runs) {
  // Once untimed, so that every timed read finds the file in the page cache.
  Run(KIV_KIVMOD, Arguments({"check", bigFile}));
  Samples open;
  Samples check;
  for (int r = 0; r < repetitions; ++r) {
    open.Add(Seconds([&] { TModFile file(bigFile, BenchModelType()); }));
    platform::ReturnFreeHeapMemory();
    check.Add(Seconds([&] { Run(KIV_KIVMOD, Arguments({"check", bigFile})); }));
  }
  std::printf("check of %s\n", bigFile.c_str());
  PrintSpread("Open alone, s", open, "%.3f");
  PrintSpread("kivmod check, s (whole command)", check, "%.3f");
  PrintGoal("check / Open alone", Ratios(check, open), true, 1.1);
  Samples header;
  Samples run;
  for (int r = 0; r < runs; ++r) {
    header.Add(1000 * Seconds([&] { Run(KIV_KIVMOD, {"check", "--header", bigFile}); }));
    run.Add(1000 * Seconds([&] { Run(KIV_VESMARINVCHK, {runFile}); }));
  }
  PrintSpread("kivmod check --header, ms", header);
  PrintSpread("the run (VesmarInvChk), ms", run);
  PrintGoal("check --header / the run", Ratios(header, run), true, 1.2);
}

} // namespace
} // namespace kiv::bench

// kiv_kivmod_bench [EXPORT_MB [CHECK_MB [REPETITIONS]]]: 200, 1024 and 3 by default.
int main(int argc, char** argv) {
  using namespace kiv::bench;
  kiv::platform::SetUpProgramHeap();
  const std::uint64_t exportMb = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 200;
  const std::uint64_t checkMb = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1024;
  const int repetitions = argc > 3 ? std::atoi(argv[3]) : 3;
  ModelShape shape;
  shape.models = ModelsForBytes(shape, exportMb * 1000000);
  Export(Scratch().File(shape), repetitions);
  ModelShape big;
  big.models = ModelsForBytes(big, checkMb * 1000000);
  const std::string bigFile = Scratch().Path("run.mod");
  GenerateModelFile(bigFile, big, 1);
  const std::string runFile = Scratch().Path("run.xyz");
  WriteBytes(runFile, "run file\r\n");
  Check(bigFile, runFile, repetitions, 11);
  return 0;
}
