// kiv_progress_form_bench: a caller's loop of TProgressForm Step calls with the window shown
// against the same loop that only handles the application's pending events, in one run; what the
// window adds, against the goal.
//
//   kiv_progress_form_bench [--steps N] [--repetitions R]   (2000 and 5 by default)
#include "bench/Samples.h"
#include "framework/ProgressForm_.h"
#include "framework/toolkit/Application.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace kiv::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr double kGoal = 1.2;

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// Microseconds per step of a loop over the messages.
template <class Step>
double MicrosecondsPerStep(const std::vector<std::string>& messages, Step step) {
  const Clock::time_point start = Clock::now();
  for (const std::string& message : messages)
    step(message);
  return Seconds(Clock::now() - start) * 1e6 / static_cast<double>(messages.size());
}

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
    window.Add(
        MicrosecondsPerStep(messages, [&](const std::string& message) { form.Step(message); }));
    form.Hide();
    Application().ProcessMessages();
    eventsOnly.Add(
        MicrosecondsPerStep(messages, [](const std::string&) { Application().ProcessMessages(); }));
  }
  const Samples ratios = Ratios(window, eventsOnly);

  std::printf("progress window, %d steps, median of %d\n", steps, repetitions);
  std::printf("  TProgressForm Step, window shown       %8.2f us a step\n", window.Median());
  std::printf("  ProcessMessages only                   %8.2f us a step\n", eventsOnly.Median());
  std::printf("  ratio window / events only             %8.2f [%.2f, %.2f]  (goal at most %.1f)  "
              "%s\n",
              ratios.Median(), ratios.Min(), ratios.Max(), kGoal,
              ratios.Median() <= kGoal ? "met" : "MISSED");
  return 0;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  int steps = 2000;
  int repetitions = 5;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--steps") {
      steps = std::max(1, std::stoi(argv[i + 1]));
    } else if (option == "--repetitions") {
      repetitions = std::max(1, std::stoi(argv[i + 1]));
    } else {
      std::cerr << "Usage: kiv_progress_form_bench [--steps N] [--repetitions R]\n";
      return 1;
    }
  }
  // Qt draws on no display unless a platform is named.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  kiv::TApplication application(argc, argv);
  try {
    return kiv::bench::Run(steps, repetitions);
  } catch (const std::exception& e) {
    std::cerr << "kiv_progress_form_bench: " << e.what() << "\n";
    return 1;
  }
}
