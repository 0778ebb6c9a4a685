// kiv_debug_log_bench: what one line of the diagnostic log costs, beside a plain append of the
// same bytes that opens, writes and closes the file as the log does but leaves the bytes to the
// system's cache. Lines of the information type, and of the error type, which the log always
// takes to the disk at once.
//
//   kiv_debug_log_bench [--lines N] [--repetitions R]   (500 and 5 by default; in the temporary
//                                                        folder)
#include "bench/LoopBench.h"
#include "core/FormatSettings.h"
#include "framework/base/Computer.h"
#include "framework/base/Debug.h"
#include "framework/base/Information.h"
#include "framework/base/LogWindow.h"
#include "framework/base/Network.h"
#include "framework/base/OperatingSystem.h"
#include "framework/base/Tools.h"
#include "framework/base/User.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kiv::bench {
namespace {

constexpr double kGoalMicroseconds = 50;

class NoWindow : public TLogWindow {
public:
  void ShowMessageListDialogBox(const std::string&, bool) override {}
};

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
    info.Add(MicrosecondsPerItem(count, [&](size_t i) { debug.WriteLine(lines[i], mt_Info); }));
    error.Add(MicrosecondsPerItem(count, [&](size_t i) { debug.WriteLine(lines[i], mt_Error); }));
    // The log's line is about 40 bytes longer than its message: the time stamp and the type.
    baseline.Add(MicrosecondsPerItem(count, [&](size_t i) {
      std::ofstream(plain, std::ios::binary | std::ios::app)
          << "111226,10:20:30.1234\tInfo\t001\t" << lines[i] << "\r\n";
    }));
  }
  // The log's last lines, when it ends, would go to the file removed here.
  debug.SetFileName("");
  std::filesystem::remove(log);
  std::filesystem::remove(plain);

  std::printf("%d lines, %d repetitions; microseconds per line, median [least, greatest]\n", count,
              repetitions);
  PrintSpread("TDebug.WriteLine, information lines", info, "%.1f");
  PrintSpread("TDebug.WriteLine, error lines", error, "%.1f");
  PrintSpread("open, append and close without a flush", baseline, "%.1f");
  PrintSpread("information line / plain append", Ratios(info, baseline));
  return PrintGoal("an information line of the log costs <= 50 microseconds", info, true,
                   kGoalMicroseconds)
             ? 0
             : 1;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  return kiv::bench::LoopBenchMain(argc, argv, "kiv_debug_log_bench", "lines", {500, 5},
                                   [](const kiv::bench::LoopOptions& options) {
                                     return kiv::bench::Run(options.items, options.repetitions,
                                                            std::filesystem::temp_directory_path());
                                   });
}
