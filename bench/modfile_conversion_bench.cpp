// The conversion to the sparse style and the preparation of a regular save. Items are models x
// layers x lateral width, so items per second stay level when the work grows linearly.
#include "bench/ScratchFiles.h"
#include "core/Exceptions.h"
#include "model/ModFile_.h"
#include "platform/heap/ProgramHeap.h"

#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <string>

namespace kiv::bench {
namespace {

// Arguments: models, layers, constraint mode.
ModelShape Shape(const benchmark::State& state) {
  ModelShape shape;
  shape.models = state.range(0);
  shape.layers = static_cast<std::int32_t>(state.range(1));
  shape.lci = static_cast<std::int32_t>(state.range(2));
  return shape;
}

std::int64_t Items(const ModelShape& shape) {
  return shape.models * shape.layers * (shape.lci - 1);
}

const TModFile& ReadOnce(const ModelShape& shape) {
  static std::map<std::string, std::unique_ptr<TModFile>> files;
  const std::string& path = Scratch().File(shape);
  std::unique_ptr<TModFile>& file = files[path];
  if (!file)
    file = std::make_unique<TModFile>(path, BenchModelType());
  return *file;
}

std::unique_ptr<TModFile> CopyOf(const TModFile& source) {
  auto file = std::make_unique<TModFile>();
  for (std::int32_t i = 1; i <= source.NumberOfModels(); ++i)
    file->AddModel(source.GetModel(i), i);
  return file;
}

void BM_SwitchToSparseFormat(benchmark::State& state) {
  const ModelShape shape = Shape(state);
  const TModFile& source = ReadOnce(shape);
  const TVesmarInvModelType type = BenchModelType();
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<TModFile> file = CopyOf(source);
    state.ResumeTiming();
    file->SwitchToSparseFormat(type);
    state.PauseTiming();
    file.reset();
    platform::ReturnFreeHeapMemory();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * Items(shape));
}

// FitLateralConstraints and DetermineLCIMode, timed through a save into a missing folder: the
// save fails right after them, before anything is written.
void BM_SavePreparation(benchmark::State& state) {
  const ModelShape shape = Shape(state);
  std::unique_ptr<TModFile> file = CopyOf(ReadOnce(shape));
  file->SetFileName(Scratch().Path("missing-folder/prepared.mod"));
  const TVesmarInvModelType type = BenchModelType();
  for (auto _ : state) {
    try {
      file->SaveGeneral(type, false);
      state.SkipWithError("a save into a missing folder did not fail");
    } catch (const EPelo&) {
    }
  }
  state.SetItemsProcessed(state.iterations() * Items(shape));
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"models", "layers", "lci"});
  benchmark->Args({1000, 30, 3})->Args({2000, 30, 3})->Args({4000, 30, 3});
  benchmark->Args({1000, 60, 3})->Args({1000, 30, 5});
  benchmark->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SwitchToSparseFormat)->Apply(Sizes);
BENCHMARK(BM_SavePreparation)->Apply(Sizes);

} // namespace
} // namespace kiv::bench
