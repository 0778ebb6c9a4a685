// Reading and writing model files: bytes per second of the file read or written.
#include "bench/ScratchFiles.h"
#include "model/ModFile_.h"
#include "platform/heap/ProgramHeap.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <map>
#include <memory>

namespace kiv::bench {
namespace {

ModelShape Shape(const benchmark::State& state, bool sparse) {
  ModelShape shape;
  shape.models = state.range(0);
  shape.sparse = sparse;
  return shape;
}

std::int64_t FileBytes(const std::string& path) {
  return static_cast<std::int64_t>(std::filesystem::file_size(path));
}

// A file read once per shape and kept for the writing benchmarks.
TModFile& ReadOnce(const ModelShape& shape) {
  static std::map<std::string, std::unique_ptr<TModFile>> files;
  const std::string& path = Scratch().File(shape);
  std::unique_ptr<TModFile>& file = files[path];
  if (!file) {
    const TVesmarInvModelType type = BenchModelType();
    file = std::make_unique<TModFile>(path, type);
  }
  return *file;
}

// The writer's column form, or the same values in general form; hooked, with a progress hook that
// counts its calls, which shows what a progress bar costs the read.
void BM_OpenFull(benchmark::State& state, bool sparse, bool general, bool hooked = false) {
  const ModelShape shape = Shape(state, sparse);
  const std::string& path = general ? Scratch().GeneralFormFile(shape) : Scratch().File(shape);
  const TVesmarInvModelType type = BenchModelType();
  std::uint64_t calls = 0;
  const TReadProgressHook counting = [&](std::uint64_t, std::uint64_t) {
    ++calls;
    return true;
  };
  for (auto _ : state) {
    state.PauseTiming();
    auto file = std::make_unique<TModFile>();
    state.ResumeTiming();
    if (hooked)
      file->Open(path, false, &type, counting);
    else
      file->Open(path, false, &type);
    state.PauseTiming();
    // Freeing the models is not part of reading; giving their memory back makes every read pay
    // for its memory as a fresh process does.
    file.reset();
    platform::ReturnFreeHeapMemory();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * FileBytes(path));
  if (hooked)
    state.counters["calls"] = static_cast<double>(calls) / static_cast<double>(state.iterations());
}

// Bytes are the whole file's: a header-only read that costs the same at every size shows its
// bytes per second growing with the file.
void BM_OpenHeaderOnly(benchmark::State& state, bool sparse) {
  const std::string& path = Scratch().File(Shape(state, sparse));
  for (auto _ : state) {
    TModFile file(path, true);
    benchmark::DoNotOptimize(file.NumberOfModels());
  }
  state.SetBytesProcessed(state.iterations() * FileBytes(path));
}

void BM_Save(benchmark::State& state, bool sparse, bool general) {
  TModFile& file = ReadOnce(Shape(state, sparse));
  const TVesmarInvModelType type = BenchModelType();
  const std::string output = Scratch().Path(sparse ? "written.mo2" : "written.mod");
  file.SetFileName(output);
  for (auto _ : state) {
    if (general)
      file.SaveGeneral(type, false);
    else
      file.Save(false);
  }
  state.SetBytesProcessed(state.iterations() * FileBytes(output));
}

// Two sizes, about 5 and 40 MB for a regular file; wall-clock time, as a file's reader and writer
// wait for the system too.
void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgName("models")->Arg(500)->Arg(4000)->UseRealTime();
}

BENCHMARK_CAPTURE(BM_OpenFull, mod, false, false)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenFull, mo2, true, false)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenFull, mod_general, false, true)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenFull, mo2_general, true, true)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenFull, mod_hook, false, false, true)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenFull, mo2_hook, true, false, true)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenHeaderOnly, mod, false)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_OpenHeaderOnly, mo2, true)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Save, SaveGeneral_mod, false, true)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Save, Save_mod, false, false)->Apply(Sizes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Save, SaveGeneral_mo2, true, true)
    ->Apply(Sizes)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Save, Save_mo2, true, false)->Apply(Sizes)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kiv::bench
