// kiv_model_type_finding_bench: what finding a file's model type by reading costs, against the
// full read of the same file measured in the same repetition: the finding over the header and
// the text the reader already holds, and the survey layer's whole read (finding included)
// against the library's read with the model type given. The file is the generator's default
// survey of about SIZE MB, whose type code names none of its layer-parameter blocks.
//
//   kiv_model_type_finding_bench [--size-mb SIZE] [--repetitions R]   (200 and 5 by default)
#include "bench/LoopBench.h"
#include "bench/ModelFileGenerator.h"
#include "bench/ScratchFiles.h"
#include "platform/heap/ProgramHeap.h"
#include "survey/ModelTypeFinding.h"
#include "survey/ParameterNames.h"
#include "survey/SurveyFile.h"

#include <cstdio>

namespace kiv::bench {
namespace {

constexpr double kFindingGoal = 0.02;
// Findings timed per repetition: one takes well under a millisecond.
constexpr int kFindings = 50;

// The seconds of one finding over the header and first blocks of the file, the least of
// kFindings, and the finding itself.
double FindingSeconds(const std::string& path, survey::ModelTypeFinding& finding) {
  // Ends the read once the finding has been timed.
  struct Timed {};
  double least = 1e9;
  try {
    TModFile().OpenWithHeaderType(
        path,
        [&](const TModFile& header, std::string_view blocks) -> TVesmarInvModelType {
          for (int i = 0; i < kFindings; ++i)
            least =
                std::min(least, Seconds([&] { finding = survey::FindModelType(header, blocks); }));
          throw Timed{};
        },
        {});
  } catch (const Timed&) {
  }
  return least;
}

int Run(const LoopOptions& options) {
  ModelShape shape;
  shape.models = ModelsForBytes(shape, static_cast<std::uint64_t>(options.items) * 1000 * 1000);
  const std::string& path = Scratch().File(shape);
  std::printf("kiv_model_type_finding_bench: %lld models of %d layers, about %d MB\n",
              static_cast<long long>(shape.models), shape.layers, options.items);
  Samples read;
  Samples finding;
  Samples surveyRead;
  survey::ModelTypeFinding found;
  for (int r = 0; r < options.repetitions; ++r) {
    read.Add(Seconds([&] { TModFile file(path, BenchModelType()); }));
    finding.Add(FindingSeconds(path, found));
    surveyRead.Add(Seconds([&] { survey::SurveyFile::Read(path, {}); }));
  }
  std::printf("  found: %s (%s)\n", survey::ModelTypeText(found.candidates.front()).c_str(),
              found.certain ? "certain" : "not certain");
  PrintSpread("full read with the model type given (s)", read);
  Samples milliseconds;
  for (const double seconds : finding.values)
    milliseconds.Add(1000 * seconds);
  PrintSpread("finding the model type (ms)", milliseconds, "%.3f");
  const Samples share = Ratios(finding, read);
  PrintSpread("finding / full read", share, "%.5f");
  PrintSpread("survey read (finding included) / full read", Ratios(surveyRead, read), "%.3f");
  return PrintGoal("finding the model type costs at most 2 % of a full read", share, true,
                   kFindingGoal)
             ? 0
             : 1;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  // A full read builds about twice the file's size in fresh memory, as the programs do.
  kiv::platform::SetUpProgramHeap();
  return kiv::bench::LoopBenchMain(argc, argv, "kiv_model_type_finding_bench", "size-mb", {200, 5},
                                   kiv::bench::Run);
}
