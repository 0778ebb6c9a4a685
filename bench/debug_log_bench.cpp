// kiv_debug_log_bench: what one line of the diagnostic log costs, beside a plain append of the
// same bytes that opens, writes and closes the file as the log does but leaves the bytes to the
// system's cache. Lines of the information type, and of the error type, which the log always
// takes to the disk at once.
//
//   kiv_debug_log_bench [--lines N] [--repetitions R] [--folder DIR]   (500, 5, the temporary
//                                                                       folder)
#include "bench/Samples.h"
#include "core/FormatSettings.h"
#include "framework/MY_.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace kiv::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr double kGoalMicroseconds = 50;

class NoWindow : public TLogWindow {
public:
  void ShowMessageListDialogBox(const std::string&, bool) override {}
};

// Microseconds per line of a loop over the lines.
template <class Write>
double MicrosecondsPerLine(const std::vector<std::string>& lines, Write write) {
  const Clock::time_point start = Clock::now();
  for (const std::string& line : lines)
    write(line);
  return std::chrono::duration<double>(Clock::now() - start).count() * 1e6 /
         static_cast<double>(lines.size());
}

int Run(int count, int repetitions, const std::filesystem::path& folder) {
  SetRunFormats();
  TOperatingSystem system;
  TComputer computer;
  TUser user;
  TNetwork network;
  TInformation information(system, computer, user, network);
  TTools tools(nullptr, information);
  NoWindow window;
  // Logging is on once the window has been shown; the lines then go to the file alone.
  TDebug debug(window, tools, information);
  debug.SetShowLogWindow(true);
  debug.SetShowLogWindow(false);

  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i)
    lines.push_back("Sounding " + std::to_string(i + 1) + " of " + std::to_string(count) +
                    " inverted in 12 iterations");
  const std::filesystem::path log = folder / "kiv_debug_log_bench.log";
  const std::string logName = log.string();
  const std::filesystem::path plain = folder / "kiv_debug_log_bench_plain.log";
  debug.SetFileName(logName);

  // The three take turns, so that a change in the machine's load falls on all alike.
  Samples info, error, baseline;
  for (int r = 0; r < repetitions; ++r) {
    std::filesystem::remove(log);
    std::filesystem::remove(plain);
    info.Add(
        MicrosecondsPerLine(lines, [&](const std::string& l) { debug.WriteLine(l, mt_Info); }));
    error.Add(
        MicrosecondsPerLine(lines, [&](const std::string& l) { debug.WriteLine(l, mt_Error); }));
    // The log's line is about 40 bytes longer than its message: the time stamp and the type.
    baseline.Add(MicrosecondsPerLine(lines, [&](const std::string& l) {
      std::ofstream(plain, std::ios::binary | std::ios::app)
          << "111226,10:20:30.1234\tInfo\t001\t" << l << "\r\n";
    }));
  }
  // The log's last lines, when it ends, would go to the file removed here.
  debug.SetFileName("");
  std::filesystem::remove(log);
  std::filesystem::remove(plain);

  std::printf("%d lines, %d repetitions; microseconds per line, median [least, greatest]\n", count,
              repetitions);
  const auto row = [](const char* name, const Samples& samples) {
    std::printf("  %-44s %8.1f [%.1f, %.1f]\n", name, samples.Median(), samples.Min(),
                samples.Max());
  };
  row("TDebug.WriteLine, information lines", info);
  row("TDebug.WriteLine, error lines", error);
  row("open, append and close without a flush", baseline);
  const Samples ratios = Ratios(info, baseline);
  std::printf("  information line / plain append              %8.2f [%.2f, %.2f]\n",
              ratios.Median(), ratios.Min(), ratios.Max());
  const bool met = info.Median() <= kGoalMicroseconds;
  std::printf("%s: an information line of the log costs <= %.0f microseconds\n",
              met ? "met" : "missed", kGoalMicroseconds);
  return met ? 0 : 1;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  int lines = 500;
  int repetitions = 5;
  std::filesystem::path folder = std::filesystem::temp_directory_path();
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--lines")
      lines = std::atoi(argv[i + 1]);
    else if (option == "--repetitions")
      repetitions = std::atoi(argv[i + 1]);
    else if (option == "--folder")
      folder = argv[i + 1];
  }
  if (argc % 2 == 0 || lines < 1 || repetitions < 1) {
    std::fputs("usage: kiv_debug_log_bench [--lines N] [--repetitions R] [--folder DIR]\n", stderr);
    return 2;
  }
  return kiv::bench::Run(lines, repetitions, folder);
}
