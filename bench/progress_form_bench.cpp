// kiv_progress_form_bench: a caller's loop of TProgressForm Step calls with the window shown
// against the same loop that only handles the application's pending events, in one run; what the
// window adds, against the goal.
//
//   kiv_progress_form_bench [--steps N] [--repetitions R]   (2000 and 5 by default)
#include "bench/LoopBench.h"
#include "framework/desktop/ProgressForm_.h"
#include "framework/toolkit/Application.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace kiv::bench {
namespace {

constexpr double kGoal = 1.2;

int Run(int steps, int repetitions) {
  std::vector<std::string> messages;
  for (int i = 0; i < steps; ++i)
    messages.push_back("Sounding " + std::to_string(i + 1) + " of " + std::to_string(steps));
  TProgressForm form(nullptr);
  form.SetNumberOfSteps(steps);

  // The two take turns, so that a change in the machine's load falls on both alike. The window
  // is shown, and its first paint done, before its loop starts, and hidden during the other.
  Samples window;
  Samples eventsOnly;
  for (int i = 0; i < repetitions; ++i) {
    form.ProgressClear();
    form.Show();
    Application().ProcessMessages();
    window.Add(MicrosecondsPerItem(steps, [&](size_t step) { form.Step(messages[step]); }));
    form.Hide();
    Application().ProcessMessages();
    eventsOnly.Add(MicrosecondsPerItem(steps, [](size_t) { Application().ProcessMessages(); }));
  }
  const Samples ratios = Ratios(window, eventsOnly);

  std::printf("progress window, %d steps, %d repetitions; median [least, greatest]\n", steps,
              repetitions);
  PrintSpread("TProgressForm Step, window shown, us a step", window);
  PrintSpread("ProcessMessages only, us a step", eventsOnly);
  PrintSpread("ratio window / events only", ratios);
  return PrintGoal("the window adds at most 20 per cent to a caller's loop", ratios, true, kGoal)
             ? 0
             : 1;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  // Qt draws on no display unless a platform is named.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  kiv::TApplication application(argc, argv);
  return kiv::bench::LoopBenchMain(argc, argv, "kiv_progress_form_bench", "steps", {2000, 5},
                                   [](const kiv::bench::LoopOptions& options) {
                                     return kiv::bench::Run(options.items, options.repetitions);
                                   });
}
