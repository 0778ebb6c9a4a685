// The main of the Google Benchmark programs that read and convert whole model files: on the
// programs' heap, as those programs run.
#include "platform/heap/ProgramHeap.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  kiv::platform::SetUpProgramHeap();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
