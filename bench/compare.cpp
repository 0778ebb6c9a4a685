// kiv_bench_compare: the model-file reader, writer, run, memory and conversions measured side by
// side with plain baselines in one run, reported as ratios against the goals (bench/compare runs
// it).
#include "bench/Baselines.h"
#include "bench/BenchModel.h"
#include "bench/GeneralForm.h"
#include "bench/ModelFileGenerator.h"
#include "bench/ModelMemory.h"
#include "bench/Processes.h"
#include "bench/Samples.h"
#include "core/Exceptions.h"
#include "model/ModFile_.h"
#include "platform/Process.h"
#include "platform/ReplacingFile.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <malloc.h>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <type_traits>
#include <unistd.h>
#include <vector>

namespace kiv::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Bump when the generator's output changes, so that a cached big file is made again.
constexpr int kGeneratorRevision = 1;
constexpr double kMB = 1e6;
constexpr double kMiB = 1024.0 * 1024.0;

// The lines of the performance page between which --update-docs writes the report.
constexpr const char* kDocsBegin = "<!-- begin: written by scripts/bench --update-docs -->";
constexpr const char* kDocsEnd = "<!-- end: written by scripts/bench --update-docs -->";

constexpr const char* kUsage =
    "Usage: compare [--quick] [--size-mb M] [--big-mb M] [--repetitions R] [--layers L]\n"
    "               [--lci L] [--seed S] [--data-dir DIR] [--json PATH] [--keep]\n"
    "               [--commit ID] [--update-docs]\n"
    "Measures the model-file reader (on files in the writer's column form and on the same\n"
    "values in general form) and writer, the VesmarInvChk run on a big model file, the peak\n"
    "memory of a full read and the conversions against plain baselines, prints a table of\n"
    "ratios and the goals with the spread of their repetitions, and writes the figures to a\n"
    "JSON file.\n"
    "  --quick          20 MB files, a 200 MB file for the run, 3 repetitions\n"
    "  --size-mb M      size of the generated regular and sparse files (200)\n"
    "  --big-mb M       size of the model file of the run (1024), cached in DIR\n"
    "  --repetitions R  repetitions of each measurement; the median counts (5)\n"
    "  --layers L       layers per model (30)\n"
    "  --lci L          constraint mode: each model tied to L - 1 following ones (3)\n"
    "  --seed S         seed of the generated values (1)\n"
    "  --data-dir DIR   where the files are generated (the program's folder/data)\n"
    "  --json PATH      where the figures go (the program's folder/compare.json)\n"
    "  --keep           keep the generated working files\n"
    "  --commit ID      the commit the program was built from, named in the report\n"
    "  --update-docs    also writes the report into docs/performance.md (needs --commit)\n";

struct Options {
  bool quick = false;
  double sizeMb = 200;
  double bigMb = 1024;
  int repetitions = 5;
  std::int32_t layers = 30;
  std::int32_t lci = 3;
  std::uint64_t seed = 1;
  std::string dataDir;
  std::string json;
  std::string examples = KIV_EXAMPLES_RUN_DIR;
  std::string vesmarInvChk = KIV_VESMARINVCHK;
  bool keep = false;
  std::string commit = "not named";
  bool updateDocs = false;
};

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char text[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

double Seconds(const std::function<void()>& body) {
  const Clock::time_point start = Clock::now();
  body();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Wall-clock and processor times of repeated runs of one thing.
struct Timings {
  Samples wall{};
  Samples cpu{};
  void Time(const std::function<void()>& body) {
    const std::clock_t start = std::clock();
    wall.Add(Seconds(body));
    cpu.Add(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
  }
};

void Progress(const std::string& text) {
  std::cerr << "  " << text << std::endl;
}

// A sum that the optimiser must compute.
volatile double gSink = 0;

// ---- Figures ----

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

// One measured figure against its bound: the median of the repetitions decides.
struct Check {
  std::string item;
  Samples values{};
  bool atMost = false;
  double bound = 0;
  const char* format = "%.2f";
  // When not empty: why the check is missed whatever its figure.
  std::string obstacle{};
  bool Met() const {
    const double median = values.Median();
    return obstacle.empty() && (atMost ? median <= bound : median >= bound);
  }
};

struct Goal {
  std::string text;
  std::vector<Check> checks{};
  bool Met() const {
    return std::all_of(checks.begin(), checks.end(), [](const Check& c) { return c.Met(); });
  }
};

// ---- Measurements ----

// Frees the models and gives the freed memory back to the system, so that every repetition
// pays for memory as a fresh process does, and none finds the last one's pages ready.
void ReleaseModels(std::unique_ptr<TModFile>& file) {
  file.reset();
  malloc_trim(0);
}

ReadFigures MeasureRead(const Input& input, const TVesmarInvModelType& type, int repetitions,
                        std::unique_ptr<TModFile>& kept) {
  ReadFigures figures{input};
  ReuseBuffer buffer;
  for (int r = 0; r < repetitions; ++r) {
    Progress(Format("read %s %d/%d", input.Name().c_str(), r + 1, repetitions));
    ReleaseModels(kept);
    auto file = std::make_unique<TModFile>();
    figures.ours.Add(Seconds([&] { file->Open(input.path, false, &type); }));
    kept = std::move(file);
    figures.fromChars.Add(
        Seconds([&] { gSink = gSink + TokenizeWithFromChars(input.path, buffer); }));
    figures.istream.Add(Seconds([&] { gSink = gSink + ReadWithIstream(input.path, buffer); }));
    figures.readOnly.Add(
        Seconds([&] { gSink = gSink + static_cast<double>(ReadOnly(input.path, buffer)); }));
  }
  return figures;
}

bool SameBytes(const std::string& a, const std::string& b) {
  return fs::file_size(a) == fs::file_size(b) && ReadWholeFile(a) == ReadWholeFile(b);
}

// Each repetition saves the models and then writes the first save's columns with each baseline.
WriteFigures MeasureWrite(const std::string& name, TModFile& file, bool general,
                          const TVesmarInvModelType& type, const std::string& workDir,
                          const std::string& generated, int repetitions) {
  WriteFigures figures{name};
  const std::string extension = file.SparseFormat() ? ".mo2" : ".mod";
  const std::string ours = workDir + "/written" + extension;
  const std::string baseline = workDir + "/baseline.txt";
  file.SetFileName(ours);
  NumberTable table;
  std::string bytes;
  std::string buffer;
  for (int r = 0; r < repetitions; ++r) {
    Progress(Format("write %s %d/%d", name.c_str(), r + 1, repetitions));
    figures.ours.Time([&] {
      if (general)
        file.SaveGeneral(type, false);
      else
        file.Save(false);
    });
    if (r == 0) {
      figures.bytes = fs::file_size(ours);
      if (general)
        figures.identical = SameBytes(ours, generated) ? "yes" : "NO";
      table = ReadNumberTable(ours);
      bytes = ReadWholeFile(ours);
    }
    figures.toChars.Time(
        [&] { figures.baselineBytes = WriteWithToChars(table, baseline, buffer); });
    figures.snprintf.Time([&] { WriteWithSnprintf(table, baseline, buffer); });
    figures.writeOnly.Add(Seconds([&] { WriteBytes(baseline, bytes); }));
  }
  fs::remove(baseline);
  fs::remove(ours);
  return figures;
}

// The child's side of MeasureMemory: the peak before and after a full read, and the models' size.
int ChildRead(const std::string& path, const std::string& result) {
  const TVesmarInvModelType type = BenchModelType();
  const std::uint64_t before = PeakResidentKib();
  TModFile file;
  file.Open(path, false, &type);
  const std::uint64_t after = PeakResidentKib();
  const std::uint64_t models = ModelBytes(file);
  std::ofstream(result) << before << ' ' << after << ' ' << models << '\n';
  return 0;
}

MemoryFigures MeasureMemory(const Input& input, const std::string& workDir, int repetitions) {
  MemoryFigures figures{input};
  const std::string result = workDir + "/memory.txt";
  for (int r = 0; r < repetitions; ++r) {
    Progress(
        Format("peak memory of a full read of %s %d/%d", input.Name().c_str(), r + 1, repetitions));
    const int code = RunProcess({platform::ExecutablePath(), "--child-read", input.path, result});
    std::ifstream in(result);
    std::uint64_t beforeKib = 0, afterKib = 0;
    if (code != 0 || !(in >> beforeKib >> afterKib >> figures.modelBytes))
      throw std::runtime_error("The reading child for " + input.path + " failed");
    figures.growthMiB.Add(static_cast<double>(afterKib - beforeKib) / 1024.0);
  }
  return figures;
}

std::unique_ptr<TModFile> FirstModels(const TModFile& source, std::int32_t count) {
  auto file = std::make_unique<TModFile>();
  for (std::int32_t i = 1; i <= count; ++i)
    file->AddModel(source.GetModel(i), i);
  return file;
}

std::vector<LinearityFigures> MeasureLinearity(const TModFile& source, const Options& options,
                                               const TVesmarInvModelType& type,
                                               const std::string& workDir) {
  const std::int32_t small = source.NumberOfModels() / 2;
  const int repetitions = std::max(options.repetitions, 5);
  LinearityFigures conversion{"SwitchToSparseFormat", small};
  LinearityFigures preparation{"save preparation", small};
  for (int r = 0; r < repetitions; ++r) {
    Progress(Format("conversion %d/%d", r + 1, repetitions));
    for (Samples* times : {&conversion.smallMs, &conversion.largeMs}) {
      std::unique_ptr<TModFile> file =
          FirstModels(source, times == &conversion.smallMs ? small : 2 * small);
      times->Add(1000 * Seconds([&] { file->SwitchToSparseFormat(type); }));
      ReleaseModels(file);
    }
  }
  // A save into a missing folder fails right after the preparation, before anything is written:
  // its time is the preparation's.
  const std::string missing = workDir + "/missing-folder/prepared.mod";
  for (Samples* times : {&preparation.smallMs, &preparation.largeMs}) {
    std::unique_ptr<TModFile> file =
        FirstModels(source, times == &preparation.smallMs ? small : 2 * small);
    file->SetFileName(missing);
    for (int r = 0; r < repetitions; ++r) {
      times->Add(1000 * Seconds([&] {
                   try {
                     file->SaveGeneral(type, false);
                   } catch (const EPelo& failure) {
                     if (std::string(failure.what()).rfind("Directory does not exist", 0) != 0)
                       throw;
                     return;
                   }
                   throw std::runtime_error("A save into a missing folder did not fail");
                 }));
    }
  }
  return {conversion, preparation};
}

std::string EnsureBigRunFolder(const Options& options, RunFigures& figures) {
  ModelShape shape;
  shape.layers = options.layers;
  shape.lci = options.lci;
  shape.models = ModelsForBytes(shape, static_cast<std::uint64_t>(options.bigMb * kMB));
  figures.bigModels = shape.models;
  const std::string folder = options.dataDir + "/run-" + std::to_string(shape.models) + "x" +
                             std::to_string(shape.layers) + "-lci" + std::to_string(shape.lci) +
                             "-seed" + std::to_string(options.seed) + "-r" +
                             std::to_string(kGeneratorRevision);
  fs::create_directories(folder);
  const std::string model = folder + "/survey.mod";
  // The generator replaces the file only once complete, so one that exists is whole.
  if (!fs::exists(model)) {
    Progress(Format("generating the %.0f MB model file of the run (once): %s", options.bigMb,
                    model.c_str()));
    GenerateModelFile(model, shape, options.seed + 1);
  }
  std::ofstream(folder + "/survey.xyz") << "Benchmark survey: run file of the inversion\r\n";
  figures.bigBytes = fs::file_size(model);
  return folder + "/survey.xyz";
}

RunFigures MeasureRun(const Options& options, const std::string& workDir) {
  RunFigures figures;
  const std::string bigRun = EnsureBigRunFolder(options, figures);
  // The run writes its log beside the run file: a copy keeps the repository clean.
  const std::string examples = workDir + "/examples";
  fs::create_directories(examples);
  for (const fs::directory_entry& entry : fs::directory_iterator(options.examples))
    if (entry.is_regular_file() &&
        entry.path().filename().string().find("_VIC.log") == std::string::npos)
      fs::copy_file(entry.path(), examples / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
  const std::string examplesRun = examples + "/job1.xyz";
  figures.runs = std::max(2 * options.repetitions + 1, 7);
  Progress(Format("VesmarInvChk, %d runs of each", figures.runs));
  for (int r = 0; r < figures.runs; ++r) {
    figures.examplesMs.Add(1000 * Seconds([&] {
                             figures.examplesExit = RunProcess({options.vesmarInvChk, examplesRun});
                           }));
    figures.bigMs.Add(1000 * Seconds([&] {
                        figures.bigExit = RunProcess({options.vesmarInvChk, bigRun});
                      }));
  }
  return figures;
}

// ---- Goals ----

std::vector<Goal> Goals(const std::vector<ReadFigures>& reads,
                        const std::vector<WriteFigures>& writes, const RunFigures& run,
                        const std::vector<MemoryFigures>& memory,
                        const std::vector<LinearityFigures>& linearity) {
  std::vector<Goal> goals;
  // The column form is what the writer leaves and what the reader's fast path takes. A general
  // word needs the whole number grammar, the tokenizer's own from_chars work: a reader that
  // matched it word for word would add only the building of the models, the same as on the
  // column form, and run at about 0.7 of the tokenizer and over 2.5x the istream reader.
  for (const auto& [form, fromChars, istream] :
       {std::tuple{"column", 0.75, 5.0}, std::tuple{"general", 0.7, 2.5}}) {
    Goal goal{Format("Full read of the %s form, either style: >= %.2f of the from_chars "
                     "tokenizer and >= %.1fx the istream reader",
                     form, fromChars, istream)};
    for (const ReadFigures& r : reads) {
      if (r.input.form != form)
        continue;
      goal.checks.push_back(
          {r.input.Name() + ": TModFile / from_chars", r.Against(r.fromChars), false, fromChars});
      goal.checks.push_back(
          {r.input.Name() + ": TModFile / istream", r.Against(r.istream), false, istream});
    }
    goals.push_back(goal);
  }
  {
    Goal goal{"Write, either layout: >= 0.8 of the to_chars formatter and >= 2.5x snprintf"};
    for (const WriteFigures& w : writes) {
      goal.checks.push_back(
          {w.name + ": TModFile / to_chars", w.Against(w.ours.wall, w.toChars.wall), false, 0.8});
      goal.checks.push_back(
          {w.name + ": TModFile / snprintf", w.Against(w.ours.wall, w.snprintf.wall), false, 2.5});
    }
    goals.push_back(goal);
  }
  {
    Goal goal{"The run on a model file of >= 1 GB: <= 1.5x the run on examples/"};
    Check check{Format("%.0f MB file / examples", static_cast<double>(run.bigBytes) / kMB),
                Ratios(run.bigMs, run.examplesMs), true, 1.5};
    if (run.bigBytes < 1000000000ull)
      check.obstacle = "this run's file is smaller than 1 GB";
    else if (run.bigExit != 100 || run.examplesExit != 100)
      check.obstacle = Format("exit codes %d and %d, not 100", run.bigExit, run.examplesExit);
    goal.checks.push_back(check);
    goals.push_back(goal);
  }
  {
    Goal goal{"Peak memory of a full read: <= 1.3x the models' in-memory size + 16 MiB"};
    for (const MemoryFigures& m : memory)
      goal.checks.push_back(
          {m.input.Name() + ": peak growth, MiB", m.growthMiB, true, m.BoundMiB(), "%.0f"});
    goals.push_back(goal);
  }
  {
    Goal goal{"Conversion and save preparation linear in models x layers x lateral width: time "
              "ratio of twice the models <= 1.5x the size ratio"};
    for (const LinearityFigures& l : linearity)
      goal.checks.push_back(
          {l.name + ": time ratio", Ratios(l.largeMs, l.smallMs), true, 1.5 * l.sizeRatio});
    goals.push_back(goal);
  }
  return goals;
}

// ---- Report ----

void Row(std::ostream& out, const std::string& label, const std::vector<std::string>& cells) {
  std::string line = Format("  %-36s", label.c_str());
  for (const std::string& cell : cells)
    line += Format("%18s", cell.c_str());
  out << line << "\n";
}

// One cell per item: the item's text, or its number in the format.
template <class Item, class Value>
std::vector<std::string> Cells(const std::vector<Item>& items, Value&& value,
                               const char* format = "%.1f") {
  std::vector<std::string> cells;
  for (const Item& item : items) {
    if constexpr (std::is_convertible_v<decltype(value(item)), std::string>)
      cells.push_back(value(item));
    else
      cells.push_back(Format(format, value(item)));
  }
  return cells;
}

std::string Spread(const Samples& samples, const char* format) {
  return Format(format, samples.Median()) + " [" + Format(format, samples.Min()) + ", " +
         Format(format, samples.Max()) + "]";
}

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  char text[64];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
  return text;
}

std::string Duration(double seconds) {
  const long whole = std::lround(seconds);
  return Format("%ld min %02ld s", whole / 60, whole % 60);
}

void PrintReads(std::ostream& out, const std::vector<ReadFigures>& reads) {
  const auto rate = [](const Samples ReadFigures::*times) {
    return [times](const ReadFigures& r) { return Rates(r.input.Megabytes(), r.*times).Median(); };
  };
  out << "Read, MB/s of the file\n";
  Row(out, "", Cells(reads, [](const ReadFigures& r) { return r.input.Name(); }));
  Row(out, "file size, MB", Cells(reads, [](const ReadFigures& r) { return r.input.Megabytes(); }));
  Row(out, "TModFile full Open", Cells(reads, rate(&ReadFigures::ours)));
  Row(out, "std::from_chars tokenizer", Cells(reads, rate(&ReadFigures::fromChars)));
  Row(out, "std::istream >> double", Cells(reads, rate(&ReadFigures::istream)));
  Row(out, "reading into a reused buffer only", Cells(reads, rate(&ReadFigures::readOnly)));
  Row(out, "ours / from_chars",
      Cells(
          reads, [](const ReadFigures& r) { return r.Against(r.fromChars).Median(); }, "%.2f"));
  Row(out, "ours / istream",
      Cells(
          reads, [](const ReadFigures& r) { return r.Against(r.istream).Median(); }, "%.2f"));
  out << "  (column: the writer's 12-character columns; general: the same values as \"%.6g\"\n"
         "   words, integers where whole, one to three blanks apart. istream: operator>> over a\n"
         "   stream buffer on the same file service and 256 KiB buffer as the others, in the\n"
         "   classic locale, so what it adds is its own work per word)\n";
}

void PrintWrites(std::ostream& out, const std::vector<WriteFigures>& writes) {
  using Baseline = const Timings WriteFigures::*;
  const auto rate = [](Baseline baseline) {
    return [baseline](const WriteFigures& w) {
      return Rates(static_cast<double>(w.baselineBytes) / kMB, (w.*baseline).wall).Median();
    };
  };
  const auto ratio = [](Baseline baseline, bool cpu) {
    return [baseline, cpu](const WriteFigures& w) {
      return cpu ? w.Against(w.ours.cpu, (w.*baseline).cpu).Median()
                 : w.Against(w.ours.wall, (w.*baseline).wall).Median();
    };
  };
  out << "\nWrite, MB/s of the output\n";
  Row(out, "", Cells(writes, [](const WriteFigures& w) { return w.name; }));
  Row(out, "output size, MB", Cells(writes, [](const WriteFigures& w) { return w.Megabytes(); }));
  Row(out, "TModFile", Cells(writes, [](const WriteFigures& w) {
        return Rates(w.Megabytes(), w.ours.wall).Median();
      }));
  Row(out, "std::to_chars columns", Cells(writes, rate(&WriteFigures::toChars)));
  Row(out, "snprintf(\"%12.4e\") columns", Cells(writes, rate(&WriteFigures::snprintf)));
  Row(out, "the same bytes, written only", Cells(writes, [](const WriteFigures& w) {
        return Rates(w.Megabytes(), w.writeOnly).Median();
      }));
  Row(out, "ours / to_chars", Cells(writes, ratio(&WriteFigures::toChars, false), "%.2f"));
  Row(out, "ours / snprintf", Cells(writes, ratio(&WriteFigures::snprintf, false), "%.2f"));
  Row(out, "ours / to_chars, processor time",
      Cells(writes, ratio(&WriteFigures::toChars, true), "%.2f"));
  Row(out, "ours / snprintf, processor time",
      Cells(writes, ratio(&WriteFigures::snprintf, true), "%.2f"));
  Row(out, "output equals the generated file",
      Cells(writes, [](const WriteFigures& w) { return w.identical; }));
  out << "  (the models written are those read from the general form: \"yes\" shows that the\n"
         "   general form held the same values and that the generator writes as the writer)\n";
}

void PrintRun(std::ostream& out, const RunFigures& run) {
  out << "\nRun of VesmarInvChk, ms (median of " << run.runs << ")\n";
  Row(out, "examples/run/job1.xyz", {Format("%.2f", run.examplesMs.Median())});
  Row(out,
      Format("%.0f MB model file (%lld models)", static_cast<double>(run.bigBytes) / kMB,
             static_cast<long long>(run.bigModels)),
      {Format("%.2f", run.bigMs.Median())});
}

void PrintMemory(std::ostream& out, const std::vector<MemoryFigures>& memory) {
  const auto perByte = [](bool growth) {
    return [growth](const MemoryFigures& m) {
      return m.PerFileByte(growth ? m.growthMiB.Median() : m.ModelMiB());
    };
  };
  out << "\nPeak memory of a full read, MiB (a child process per read and repetition)\n";
  Row(out, "", Cells(memory, [](const MemoryFigures& m) { return m.input.Name(); }));
  Row(out, "growth of the peak resident size",
      Cells(memory, [](const MemoryFigures& m) { return m.growthMiB.Median(); }));
  Row(out, "models in memory", Cells(memory, [](const MemoryFigures& m) { return m.ModelMiB(); }));
  Row(out, "allowed: 1.3 x models + 16",
      Cells(memory, [](const MemoryFigures& m) { return m.BoundMiB(); }));
  Row(out, "growth / models",
      Cells(
          memory, [](const MemoryFigures& m) { return m.growthMiB.Median() / m.ModelMiB(); },
          "%.2f"));
  Row(out, "growth, bytes per byte of file", Cells(memory, perByte(true), "%.2f"));
  Row(out, "models, bytes per byte of file", Cells(memory, perByte(false), "%.2f"));
  out << "  (models in memory: each model's record plus the usable size of every heap block it\n"
         "   owns, down to each lateral array and string; growth: VmHWM after Open minus before.\n"
         "   Per byte of file, the same models weigh more against the shorter general form)\n";
}

void PrintLinearity(std::ostream& out, const std::vector<LinearityFigures>& linearity) {
  const LinearityFigures& first = linearity.front();
  out << Format("\nLinearity, ms (median of %zu)\n", first.smallMs.values.size());
  Row(out, "",
      {Format("%lld models", static_cast<long long>(first.models)),
       Format("%lld models", static_cast<long long>(2 * first.models)), "size ratio"});
  for (const LinearityFigures& l : linearity)
    Row(out, l.name,
        {Format("%.2f", l.smallMs.Median()), Format("%.2f", l.largeMs.Median()),
         Format("%.2f", l.sizeRatio)});
}

void PrintGoals(std::ostream& out, const std::vector<Goal>& goals) {
  out << "\nGoals: each ratio is taken within one repetition; the median of the repetitions\n"
         "decides, [least, greatest] shows their spread\n";
  for (const Goal& goal : goals) {
    out << (goal.Met() ? "met:    " : "missed: ") << goal.text << "\n";
    for (const Check& c : goal.checks)
      out << Format("    %-7s %-40s %-24s goal %s %s%s\n", c.Met() ? "met" : "missed",
                    c.item.c_str(), Spread(c.values, c.format).c_str(),
                    c.atMost ? "<=" : ">=", Format(c.format, c.bound).c_str(),
                    c.obstacle.empty() ? "" : ("; " + c.obstacle).c_str());
  }
}

// ---- JSON ----

std::string Json(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\')
      quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// A JSON object written field by field on one line.
class JsonObject {
public:
  JsonObject& Number(const std::string& name, double value) {
    return Field(name, Format("%.6g", value));
  }
  JsonObject& Text(const std::string& name, const std::string& value) {
    return Field(name, Json(value));
  }
  JsonObject& Spread(const std::string& name, const Samples& samples) {
    return Field(name, JsonObject()
                           .Number("median", samples.Median())
                           .Number("min", samples.Min())
                           .Number("max", samples.Max())
                           .str());
  }
  JsonObject& Field(const std::string& name, const std::string& json) {
    text_ += (text_.empty() ? "" : ", ") + Json(name) + ": " + json;
    return *this;
  }
  std::string str() const { return "{" + text_ + "}"; }

private:
  std::string text_;
};

// An object of one field per item, each on its own line.
template <class Item, class Describe>
std::string JsonItems(const std::vector<Item>& items, Describe&& describe) {
  std::string text = "{";
  for (const Item& item : items) {
    const auto [name, object] = describe(item);
    text += (text.size() > 1 ? ",\n    " : "\n    ") + Json(name) + ": " + object.str();
  }
  return text + "\n  }";
}

void WriteJson(const std::string& path, const JsonObject& heading,
               const std::vector<ReadFigures>& reads, const std::vector<WriteFigures>& writes,
               const RunFigures& run, const std::vector<MemoryFigures>& memory,
               const std::vector<LinearityFigures>& linearity, const std::vector<Goal>& goals) {
  std::ofstream json(path);
  const std::string head = heading.str();
  json << head.substr(0, head.size() - 1) << ",\n  \"read_mb_per_s\": "
       << JsonItems(reads,
                    [](const ReadFigures& r) {
                      const double mb = r.input.Megabytes();
                      return std::pair{r.input.Name(),
                                       JsonObject()
                                           .Number("file_bytes", static_cast<double>(r.input.bytes))
                                           .Number("models", static_cast<double>(r.input.models))
                                           .Spread("ours", Rates(mb, r.ours))
                                           .Spread("from_chars", Rates(mb, r.fromChars))
                                           .Spread("istream", Rates(mb, r.istream))
                                           .Spread("read_only", Rates(mb, r.readOnly))
                                           .Spread("ratio_from_chars", r.Against(r.fromChars))
                                           .Spread("ratio_istream", r.Against(r.istream))};
                    })
       << ",\n  \"write_mb_per_s\": "
       << JsonItems(writes,
                    [](const WriteFigures& w) {
                      const double baseMb = static_cast<double>(w.baselineBytes) / kMB;
                      return std::pair{
                          w.name,
                          JsonObject()
                              .Number("output_bytes", static_cast<double>(w.bytes))
                              .Spread("ours", Rates(w.Megabytes(), w.ours.wall))
                              .Spread("to_chars", Rates(baseMb, w.toChars.wall))
                              .Spread("snprintf", Rates(baseMb, w.snprintf.wall))
                              .Spread("write_only", Rates(w.Megabytes(), w.writeOnly))
                              .Spread("ratio_to_chars", w.Against(w.ours.wall, w.toChars.wall))
                              .Spread("ratio_snprintf", w.Against(w.ours.wall, w.snprintf.wall))
                              .Spread("cpu_ratio_to_chars", w.Against(w.ours.cpu, w.toChars.cpu))
                              .Spread("cpu_ratio_snprintf", w.Against(w.ours.cpu, w.snprintf.cpu))
                              .Text("equals_generated", w.identical)};
                    })
       << ",\n  \"run_ms\": "
       << JsonObject()
              .Number("runs", run.runs)
              .Spread("examples", run.examplesMs)
              .Spread("big_file", run.bigMs)
              .Number("big_file_bytes", static_cast<double>(run.bigBytes))
              .Spread("ratio", Ratios(run.bigMs, run.examplesMs))
              .str()
       << ",\n  \"memory_mib\": "
       << JsonItems(
              memory,
              [](const MemoryFigures& m) {
                return std::pair{
                    m.input.Name(),
                    JsonObject()
                        .Spread("peak_growth", m.growthMiB)
                        .Number("models", m.ModelMiB())
                        .Number("allowed", m.BoundMiB())
                        .Number("growth_bytes_per_file_byte", m.PerFileByte(m.growthMiB.Median()))
                        .Number("model_bytes_per_file_byte", m.PerFileByte(m.ModelMiB()))};
              })
       << ",\n  \"linearity_ms\": "
       << JsonItems(linearity,
                    [](const LinearityFigures& l) {
                      return std::pair{l.name,
                                       JsonObject()
                                           .Number("models", static_cast<double>(l.models))
                                           .Spread("time", l.smallMs)
                                           .Spread("time_double", l.largeMs)
                                           .Spread("time_ratio", Ratios(l.largeMs, l.smallMs))
                                           .Number("size_ratio", l.sizeRatio)};
                    })
       << ",\n  \"goals\": [";
  for (size_t i = 0; i < goals.size(); ++i) {
    std::string checks;
    for (const Check& c : goals[i].checks)
      checks += (checks.empty() ? "\n      " : ",\n      ") +
                JsonObject()
                    .Text("check", c.item)
                    .Field("met", c.Met() ? "true" : "false")
                    .Spread("figure", c.values)
                    .Text("bound", (c.atMost ? "<= " : ">= ") + Format(c.format, c.bound))
                    .Text("obstacle", c.obstacle)
                    .str();
    json << (i ? ",\n" : "\n") << "    "
         << JsonObject()
                .Text("goal", goals[i].text)
                .Field("met", goals[i].Met() ? "true" : "false")
                .Field("checks", "[" + checks + "]")
                .str();
  }
  json << "\n  ]\n}\n";
}

// ---- The performance page ----

// Replaces what stands between the page's two marker lines with the report, which names the
// commit, the date and the mode.
void UpdateDocs(const std::string& page, const std::string& report) {
  const std::string text = ReadWholeFile(page);
  const size_t begin = text.find(kDocsBegin);
  const size_t end = text.find(kDocsEnd);
  if (begin == std::string::npos || end == std::string::npos || end < begin)
    throw std::runtime_error(page + " lacks the lines " + kDocsBegin + " and " + kDocsEnd);
  const size_t afterBegin = text.find('\n', begin) + 1;
  platform::ReplacingFile file(page);
  file.Write(std::string_view(text).substr(0, afterBegin));
  file.Write("```\n" + report + "```\n");
  file.Write(std::string_view(text).substr(end));
  file.Commit();
}

bool ParseOptions(int argc, char** argv, Options& options) {
  const std::string folder = fs::path(platform::ExecutablePath()).parent_path().string();
  options.dataDir = folder + "/data";
  options.json = folder + "/compare.json";
  bool sizeGiven = false, bigGiven = false, repetitionsGiven = false, commitGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--quick" || option == "--keep" || option == "--update-docs") {
      (option == "--quick"  ? options.quick
       : option == "--keep" ? options.keep
                            : options.updateDocs) = true;
      continue;
    }
    if (option == "--help" || option == "-h" || i + 1 >= argc) {
      std::cout << kUsage;
      return false;
    }
    const std::string value = argv[++i];
    const char* end = value.data() + value.size();
    bool ok = true;
    if (option == "--size-mb") {
      ok = std::from_chars(value.data(), end, options.sizeMb).ptr == end && options.sizeMb > 0;
      sizeGiven = true;
    } else if (option == "--big-mb") {
      ok = std::from_chars(value.data(), end, options.bigMb).ptr == end && options.bigMb > 0;
      bigGiven = true;
    } else if (option == "--repetitions") {
      ok = std::from_chars(value.data(), end, options.repetitions).ptr == end &&
           options.repetitions > 0;
      repetitionsGiven = true;
    } else if (option == "--layers") {
      ok = std::from_chars(value.data(), end, options.layers).ptr == end && options.layers > 1;
    } else if (option == "--lci") {
      ok = std::from_chars(value.data(), end, options.lci).ptr == end && options.lci >= 2;
    } else if (option == "--seed") {
      ok = std::from_chars(value.data(), end, options.seed).ptr == end;
    } else if (option == "--data-dir") {
      options.dataDir = value;
    } else if (option == "--json") {
      options.json = value;
    } else if (option == "--commit") {
      options.commit = value;
      commitGiven = !value.empty();
    } else {
      ok = false;
    }
    if (!ok) {
      std::cerr << "Invalid option or value: " << option << " " << value << "\n" << kUsage;
      return false;
    }
  }
  if (options.updateDocs && !commitGiven) {
    std::cerr << "--update-docs needs --commit: run it as scripts/bench --update-docs\n";
    return false;
  }
  if (options.quick) {
    if (!sizeGiven)
      options.sizeMb = 20;
    if (!bigGiven)
      options.bigMb = 200;
    if (!repetitionsGiven)
      options.repetitions = 3;
  }
  return true;
}

// Generates the file of the style in the writer's column form and rewrites it in general form.
std::vector<Input> GenerateInputs(const Options& options, const std::string& workDir, bool sparse) {
  ModelShape shape;
  shape.layers = options.layers;
  shape.lci = options.lci;
  shape.sparse = sparse;
  shape.models = ModelsForBytes(shape, static_cast<std::uint64_t>(options.sizeMb * kMB));
  const std::string style = sparse ? ".mo2" : ".mod";
  Input column{style, "column", workDir + "/survey" + style, shape.models};
  Input general{style, "general", workDir + "/survey-general" + style, shape.models};
  Progress(
      Format("generating the %.0f MB %s file and its general form", options.sizeMb, style.c_str()));
  column.bytes = GenerateModelFile(column.path, shape, options.seed);
  general.bytes = RewriteInGeneralForm(column.path, general.path);
  return {column, general};
}

int Compare(const Options& options) {
  const Clock::time_point start = Clock::now();
  const TVesmarInvModelType type = BenchModelType();
  fs::create_directories(options.dataDir);
  const std::string workDir =
      fs::absolute(options.dataDir).string() + "/work-" + std::to_string(::getpid());
  fs::create_directories(workDir);
  std::cerr << "kiv_bench_compare: working in " << workDir << "\n";

  const std::vector<Input> regularInputs = GenerateInputs(options, workDir, false);
  const std::vector<Input> sparseInputs = GenerateInputs(options, workDir, true);
  std::vector<Input> inputs = regularInputs;
  inputs.insert(inputs.end(), sparseInputs.begin(), sparseInputs.end());

  // First, while this process is small: each read runs in a child of its own.
  std::vector<MemoryFigures> memory;
  for (const Input& input : inputs)
    memory.push_back(MeasureMemory(input, workDir, options.repetitions));

  // The models kept for the writes are the last ones read of each style: the general form's.
  std::unique_ptr<TModFile> regular, sparse;
  std::vector<ReadFigures> reads;
  for (const Input& input : inputs)
    reads.push_back(
        MeasureRead(input, type, options.repetitions, input.style == ".mod" ? regular : sparse));

  const std::string& regularPath = regularInputs.front().path;
  const std::string& sparsePath = sparseInputs.front().path;
  std::vector<WriteFigures> writes = {
      MeasureWrite("SaveGeneral .mod", *regular, true, type, workDir, regularPath,
                   options.repetitions),
      MeasureWrite("Save .mod", *regular, false, type, workDir, regularPath, options.repetitions),
      MeasureWrite("SaveGeneral .mo2", *sparse, true, type, workDir, sparsePath,
                   options.repetitions),
      MeasureWrite("Save .mo2", *sparse, false, type, workDir, sparsePath, options.repetitions)};
  sparse.reset();

  // The regular models, saved above, so that the preparation finds them as a save leaves them.
  const std::vector<LinearityFigures> linearity =
      MeasureLinearity(*regular, options, type, workDir);
  regular.reset();

  const RunFigures run = MeasureRun(options, workDir);
  if (!options.keep)
    fs::remove_all(workDir);
  const std::vector<Goal> goals = Goals(reads, writes, run, memory, linearity);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

  const std::string date = UtcNow();
  std::ostringstream report;
  report << "kiv model-file comparison, commit " << options.commit << ", " << date << ", "
         << ProcessorCount() << " x " << ProcessorName() << "\n"
         << (options.quick ? "quick mode" : "full mode") << ", " << options.repetitions
         << " repetitions, took " << Duration(seconds) << "; MB = 10^6 bytes, MiB = 2^20 bytes\n"
         << Format("%d layers, constraint mode %d, seed %llu\n\n", options.layers, options.lci,
                   static_cast<unsigned long long>(options.seed));
  PrintReads(report, reads);
  PrintWrites(report, writes);
  PrintRun(report, run);
  PrintMemory(report, memory);
  PrintLinearity(report, linearity);
  PrintGoals(report, goals);
  std::cout << "\n" << report.str();

  const JsonObject heading = JsonObject()
                                 .Text("commit", options.commit)
                                 .Text("date", date)
                                 .Number("processors", ProcessorCount())
                                 .Text("cpu", ProcessorName())
                                 .Text("mode", options.quick ? "quick" : "full")
                                 .Number("repetitions", options.repetitions)
                                 .Number("seconds", seconds);
  WriteJson(options.json, heading, reads, writes, run, memory, linearity, goals);
  std::cout << "\nfigures written to " << fs::absolute(options.json).string() << "\n";
  if (options.updateDocs) {
    UpdateDocs(KIV_PERFORMANCE_PAGE, report.str());
    std::cout << "report written into " << KIV_PERFORMANCE_PAGE << "\n";
  }
  return 0;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  try {
    if (argc == 4 && std::string(argv[1]) == "--child-read")
      return kiv::bench::ChildRead(argv[2], argv[3]);
    kiv::bench::Options options;
    if (!kiv::bench::ParseOptions(argc, argv, options))
      return argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h") ? 0
                                                                                             : 2;
    return kiv::bench::Compare(options);
  } catch (const std::exception& failure) {
    std::cerr << "kiv_bench_compare: " << failure.what() << "\n";
    return 1;
  }
}
