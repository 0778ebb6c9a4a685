// kiv_bench_compare: the model-file reader, writer, run, memory and conversions measured side by
// side with plain baselines in one run, reported as ratios against the goals (bench/compare runs
// it).
#include "bench/Baselines.h"
#include "bench/BenchModel.h"
#include "bench/ModelFileGenerator.h"
#include "bench/ModelMemory.h"
#include "bench/Processes.h"
#include "core/Exceptions.h"
#include "model/ModFile_.h"
#include "platform/Process.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <malloc.h>
#include <memory>
#include <string>
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

constexpr const char* kUsage =
    "Usage: compare [--quick] [--size-mb M] [--big-mb M] [--repetitions R] [--layers L]\n"
    "               [--lci L] [--seed S] [--data-dir DIR] [--json PATH] [--keep]\n"
    "Measures the model-file reader and writer, the VesmarInvChk run on a big model file,\n"
    "the peak memory of a full read and the conversions against plain baselines, prints a\n"
    "table of ratios and one line per goal, and writes the figures to a JSON file.\n"
    "  --quick          20 MB files, a 200 MB file for the run, 3 repetitions\n"
    "  --size-mb M      size of the generated regular and sparse files (200)\n"
    "  --big-mb M       size of the model file of the run (1024), cached in DIR\n"
    "  --repetitions R  repetitions of each measurement; the median counts (5)\n"
    "  --layers L       layers per model (30)\n"
    "  --lci L          constraint mode: each model tied to L - 1 following ones (3)\n"
    "  --seed S         seed of the generated values (1)\n"
    "  --data-dir DIR   where the files are generated (the program's folder/data)\n"
    "  --json PATH      where the figures go (the program's folder/compare.json)\n"
    "  --keep           keep the generated working files\n";

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
  std::vector<double> wall;
  std::vector<double> cpu;
  void Time(const std::function<void()>& body) {
    const std::clock_t start = std::clock();
    wall.push_back(Seconds(body));
    cpu.push_back(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
  }
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

void Progress(const std::string& text) {
  std::cerr << "  " << text << std::endl;
}

// A sum that the optimiser must compute.
volatile double gSink = 0;

// ---- Figures ----

struct ReadFigures {
  std::string style;
  std::uint64_t bytes = 0;
  std::int64_t models = 0;
  double ours = 0; // MB/s of input
  double fromChars = 0;
  double ifstream = 0;
  double readOnly = 0;
};

struct WriteFigures {
  std::string name;
  std::uint64_t bytes = 0;
  std::uint64_t baselineBytes = 0;
  double ours = 0; // MB/s of output
  double toChars = 0;
  double snprintf = 0;
  double writeOnly = 0;
  // MB/s of processor time: the text work without the wait for the disk.
  double oursCpu = 0;
  double toCharsCpu = 0;
  double snprintfCpu = 0;
  std::string identical = "-"; // for the general layout: the output equals the generated file
};

struct MemoryFigures {
  std::string style;
  std::uint64_t baselineKib = 0;
  std::uint64_t peakKib = 0;
  std::uint64_t modelBytes = 0;
  double GrowthMiB() const { return static_cast<double>(peakKib - baselineKib) / 1024.0; }
  double ModelMiB() const { return static_cast<double>(modelBytes) / kMiB; }
  double BoundMiB() const { return 1.3 * ModelMiB() + 16; }
};

struct RunFigures {
  int runs = 0;
  double examplesMs = 0;
  double bigMs = 0;
  std::uint64_t bigBytes = 0;
  std::int64_t bigModels = 0;
  int examplesExit = 0;
  int bigExit = 0;
};

struct LinearityFigures {
  std::string name;
  std::int64_t models = 0;
  double smallMs = 0;
  double largeMs = 0;
  double sizeRatio = 2;
  double Ratio() const { return smallMs > 0 ? largeMs / smallMs : 0; }
};

struct Goal {
  std::string text{};
  bool met = false;
  std::string figure{};
};

// ---- Measurements ----

// Frees the models and gives the freed memory back to the system, so that every repetition
// pays for memory as a fresh process does, and none finds the last one's pages ready.
void ReleaseModels(std::unique_ptr<TModFile>& file) {
  file.reset();
  malloc_trim(0);
}

ReadFigures MeasureRead(const std::string& style, const std::string& path, std::int64_t models,
                        const TVesmarInvModelType& type, int repetitions,
                        std::unique_ptr<TModFile>& kept) {
  ReadFigures figures;
  figures.style = style;
  figures.models = models;
  figures.bytes = fs::file_size(path);
  std::vector<double> ours, fromChars, ifstream, readOnly;
  ReuseBuffer buffer;
  for (int r = 0; r < repetitions; ++r) {
    Progress(Format("read %s %d/%d", style.c_str(), r + 1, repetitions));
    ReleaseModels(kept);
    auto file = std::make_unique<TModFile>();
    ours.push_back(Seconds([&] { file->Open(path, false, &type); }));
    kept = std::move(file);
    fromChars.push_back(Seconds([&] { gSink = gSink + TokenizeWithFromChars(path, buffer); }));
    ifstream.push_back(Seconds([&] { gSink = gSink + ReadWithIfstream(path); }));
    readOnly.push_back(
        Seconds([&] { gSink = gSink + static_cast<double>(ReadOnly(path, buffer)); }));
  }
  const double megabytes = static_cast<double>(figures.bytes) / kMB;
  figures.ours = megabytes / Median(ours);
  figures.fromChars = megabytes / Median(fromChars);
  figures.ifstream = megabytes / Median(ifstream);
  figures.readOnly = megabytes / Median(readOnly);
  return figures;
}

bool SameBytes(const std::string& a, const std::string& b) {
  return fs::file_size(a) == fs::file_size(b) && ReadWholeFile(a) == ReadWholeFile(b);
}

WriteFigures MeasureWrite(const std::string& name, TModFile& file, bool general,
                          const TVesmarInvModelType& type, const std::string& workDir,
                          const std::string& generated, int repetitions) {
  WriteFigures figures;
  figures.name = name;
  const std::string extension = file.SparseFormat() ? ".mo2" : ".mod";
  const std::string ours = workDir + "/written" + extension;
  const std::string baseline = workDir + "/baseline.txt";
  file.SetFileName(ours);
  Timings oursTimes;
  for (int r = 0; r < repetitions; ++r) {
    Progress(Format("write %s %d/%d", name.c_str(), r + 1, repetitions));
    oursTimes.Time([&] {
      if (general)
        file.SaveGeneral(type, false);
      else
        file.Save(false);
    });
  }
  figures.bytes = fs::file_size(ours);
  if (general)
    figures.identical = SameBytes(ours, generated) ? "yes" : "NO";

  const NumberTable table = ReadNumberTable(ours);
  std::string buffer;
  Timings toChars, snprintfTimes;
  std::vector<double> writeOnly;
  const std::string bytes = ReadWholeFile(ours);
  for (int r = 0; r < repetitions; ++r) {
    Progress(Format("baselines of %s %d/%d", name.c_str(), r + 1, repetitions));
    toChars.Time([&] { figures.baselineBytes = WriteWithToChars(table, baseline, buffer); });
    snprintfTimes.Time([&] { WriteWithSnprintf(table, baseline, buffer); });
    writeOnly.push_back(Seconds([&] { WriteBytes(baseline, bytes); }));
  }
  fs::remove(baseline);
  fs::remove(ours);
  const double ourMB = static_cast<double>(figures.bytes) / kMB;
  const double baseMB = static_cast<double>(figures.baselineBytes) / kMB;
  figures.ours = ourMB / Median(oursTimes.wall);
  figures.toChars = baseMB / Median(toChars.wall);
  figures.snprintf = baseMB / Median(snprintfTimes.wall);
  figures.oursCpu = ourMB / Median(oursTimes.cpu);
  figures.toCharsCpu = baseMB / Median(toChars.cpu);
  figures.snprintfCpu = baseMB / Median(snprintfTimes.cpu);
  figures.writeOnly = ourMB / Median(writeOnly);
  return figures;
}

MemoryFigures MeasureMemory(const std::string& style, const std::string& path,
                            const std::string& workDir) {
  MemoryFigures figures;
  figures.style = style;
  const std::string result = workDir + "/memory.txt";
  Progress("peak memory of a full read of " + style);
  const int code = RunProcess({platform::ExecutablePath(), "--child-read", path, result});
  std::ifstream in(result);
  if (code != 0 || !(in >> figures.baselineKib >> figures.peakKib >> figures.modelBytes))
    throw std::runtime_error("The reading child for " + path + " failed");
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
  std::vector<double> times[4];
  for (int r = 0; r < repetitions; ++r) {
    Progress(Format("conversion %d/%d", r + 1, repetitions));
    for (int size = 0; size < 2; ++size) {
      std::unique_ptr<TModFile> file = FirstModels(source, small * (size + 1));
      times[size].push_back(Seconds([&] { file->SwitchToSparseFormat(type); }));
      ReleaseModels(file);
    }
  }
  // A save into a missing folder fails right after the preparation, before anything is written:
  // its time is the preparation's.
  const std::string missing = workDir + "/missing-folder/prepared.mod";
  for (int size = 0; size < 2; ++size) {
    std::unique_ptr<TModFile> file = FirstModels(source, small * (size + 1));
    file->SetFileName(missing);
    for (int r = 0; r < repetitions; ++r) {
      times[2 + size].push_back(Seconds([&] {
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
  conversion.smallMs = 1000 * Median(times[0]);
  conversion.largeMs = 1000 * Median(times[1]);
  preparation.smallMs = 1000 * Median(times[2]);
  preparation.largeMs = 1000 * Median(times[3]);
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
  std::vector<double> small, big;
  Progress(Format("VesmarInvChk, %d runs of each", figures.runs));
  for (int r = 0; r < figures.runs; ++r) {
    small.push_back(Seconds([&] {
      figures.examplesExit = RunProcess({options.vesmarInvChk, examplesRun});
    }));
    big.push_back(Seconds([&] { figures.bigExit = RunProcess({options.vesmarInvChk, bigRun}); }));
  }
  figures.examplesMs = 1000 * Median(small);
  figures.bigMs = 1000 * Median(big);
  return figures;
}

// ---- Report ----

std::string Cell(double value, const char* format = "%.1f") {
  return Format(format, value);
}

void Row(std::ostream& out, const std::string& label, const std::vector<std::string>& cells,
         const std::string& note = "") {
  std::string line = Format("  %-36s", label.c_str());
  for (const std::string& cell : cells)
    line += Format("%18s", cell.c_str());
  if (!note.empty())
    line += "   " + note;
  out << line << "\n";
}

std::string Json(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\')
      quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Now() {
  const std::time_t now = std::time(nullptr);
  char text[64];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M %Z", std::localtime(&now));
  return text;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  const std::string folder = fs::path(platform::ExecutablePath()).parent_path().string();
  options.dataDir = folder + "/data";
  options.json = folder + "/compare.json";
  bool sizeGiven = false, bigGiven = false, repetitionsGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--quick") {
      options.quick = true;
      continue;
    }
    if (option == "--keep") {
      options.keep = true;
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
    } else {
      ok = false;
    }
    if (!ok) {
      std::cerr << "Invalid option or value: " << option << " " << value << "\n" << kUsage;
      return false;
    }
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

int Compare(const Options& options) {
  const TVesmarInvModelType type = BenchModelType();
  fs::create_directories(options.dataDir);
  const std::string workDir =
      fs::absolute(options.dataDir).string() + "/work-" + std::to_string(::getpid());
  fs::create_directories(workDir);
  std::cerr << "kiv_bench_compare: working in " << workDir << "\n";

  ModelShape regularShape;
  regularShape.layers = options.layers;
  regularShape.lci = options.lci;
  regularShape.models =
      ModelsForBytes(regularShape, static_cast<std::uint64_t>(options.sizeMb * kMB));
  ModelShape sparseShape = regularShape;
  sparseShape.sparse = true;
  sparseShape.models =
      ModelsForBytes(sparseShape, static_cast<std::uint64_t>(options.sizeMb * kMB));
  const std::string regularPath = workDir + "/survey.mod";
  const std::string sparsePath = workDir + "/survey.mo2";
  Progress(Format("generating %.0f MB files", options.sizeMb));
  GenerateModelFile(regularPath, regularShape, options.seed);
  GenerateModelFile(sparsePath, sparseShape, options.seed);

  // First, while this process is small: each read runs in a child of its own.
  std::vector<MemoryFigures> memory = {MeasureMemory(".mod", regularPath, workDir),
                                       MeasureMemory(".mo2", sparsePath, workDir)};

  std::unique_ptr<TModFile> regular, sparse;
  std::vector<ReadFigures> reads = {
      MeasureRead(".mod", regularPath, regularShape.models, type, options.repetitions, regular),
      MeasureRead(".mo2", sparsePath, sparseShape.models, type, options.repetitions, sparse)};

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

  // ---- Goals ----
  std::vector<Goal> goals;
  {
    Goal goal{"Full read, either style: >= 0.75 of the from_chars tokenizer and >= 5x the "
              "ifstream reader"};
    goal.met = true;
    for (const ReadFigures& r : reads) {
      const double a = r.ours / r.fromChars, b = r.ours / r.ifstream;
      goal.met = goal.met && a >= 0.75 && b >= 5;
      goal.figure += Format("%s%s %.2f of from_chars, %.1fx ifstream",
                            goal.figure.empty() ? "" : "; ", r.style.c_str(), a, b);
    }
    goals.push_back(goal);
  }
  {
    Goal goal{"Write, either layout: >= 0.8 of the to_chars formatter and >= 2.5x snprintf"};
    goal.met = true;
    for (const WriteFigures& w : writes) {
      const double a = w.ours / w.toChars, b = w.ours / w.snprintf;
      goal.met = goal.met && a >= 0.8 && b >= 2.5;
      goal.figure +=
          Format("%s%s %.2f, %.1fx", goal.figure.empty() ? "" : "; ", w.name.c_str(), a, b);
    }
    goals.push_back(goal);
  }
  {
    const double ratio = run.bigMs / run.examplesMs;
    Goal goal{Format("The run on a model file of >= 1 GB: <= 1.5x the run on examples/%s",
                     run.bigBytes < 1000000000ull ? " (this run's file is smaller)" : "")};
    goal.met = ratio <= 1.5 && run.bigBytes >= 1000000000ull && run.bigExit == 100 &&
               run.examplesExit == 100;
    goal.figure = Format("%.2fx (%.1f ms on %.0f MB against %.1f ms; exit codes %d and %d)", ratio,
                         run.bigMs, static_cast<double>(run.bigBytes) / kMB, run.examplesMs,
                         run.bigExit, run.examplesExit);
    goals.push_back(goal);
  }
  {
    Goal goal{"Peak memory of a full read: <= 1.3x the models' in-memory size + 16 MiB"};
    goal.met = true;
    for (const MemoryFigures& m : memory) {
      goal.met = goal.met && m.GrowthMiB() <= m.BoundMiB();
      goal.figure +=
          Format("%s%s %.0f MiB against %.0f MiB allowed", goal.figure.empty() ? "" : "; ",
                 m.style.c_str(), m.GrowthMiB(), m.BoundMiB());
    }
    goals.push_back(goal);
  }
  {
    Goal goal{"Conversion and save preparation linear in models x layers x lateral width: time "
              "ratio within 1.5x of the size ratio"};
    goal.met = true;
    for (const LinearityFigures& l : linearity) {
      goal.met = goal.met && l.Ratio() <= 1.5 * l.sizeRatio;
      goal.figure += Format("%s%s %.2f for %.2f", goal.figure.empty() ? "" : "; ", l.name.c_str(),
                            l.Ratio(), l.sizeRatio);
    }
    goals.push_back(goal);
  }

  // ---- Table ----
  std::ostream& out = std::cout;
  out << "\nkiv model-file comparison, " << Now() << ", " << ProcessorCount() << " x "
      << ProcessorName() << "\n"
      << (options.quick ? "quick mode" : "full mode") << ", median of " << options.repetitions
      << " repetitions; MB = 10^6 bytes, MiB = 2^20 bytes\n"
      << Format("files: .mod %.1f MB (%lld models), .mo2 %.1f MB (%lld models); %d layers, "
                "constraint mode %d, seed %llu\n\n",
                static_cast<double>(reads[0].bytes) / kMB, static_cast<long long>(reads[0].models),
                static_cast<double>(reads[1].bytes) / kMB, static_cast<long long>(reads[1].models),
                options.layers, options.lci, static_cast<unsigned long long>(options.seed));

  out << "Read, MB/s of the file\n";
  Row(out, "", {".mod", ".mo2"});
  Row(out, "TModFile full Open", {Cell(reads[0].ours), Cell(reads[1].ours)});
  Row(out, "std::from_chars tokenizer", {Cell(reads[0].fromChars), Cell(reads[1].fromChars)});
  Row(out, "std::ifstream >> double", {Cell(reads[0].ifstream), Cell(reads[1].ifstream)});
  Row(out, "reading into a reused buffer only", {Cell(reads[0].readOnly), Cell(reads[1].readOnly)});
  Row(out, "ours / from_chars",
      {Cell(reads[0].ours / reads[0].fromChars, "%.2f"),
       Cell(reads[1].ours / reads[1].fromChars, "%.2f")},
      "goal >= 0.75");
  Row(out, "ours / ifstream",
      {Cell(reads[0].ours / reads[0].ifstream, "%.2f"),
       Cell(reads[1].ours / reads[1].ifstream, "%.2f")},
      "goal >= 5");

  out << "\nWrite, MB/s of the output\n";
  std::vector<std::string> names, ours, toChars, snprintfs, writeOnly, ratioA, ratioB, same, sizes,
      cpuA, cpuB;
  for (const WriteFigures& w : writes) {
    names.push_back(w.name);
    sizes.push_back(Cell(static_cast<double>(w.bytes) / kMB));
    ours.push_back(Cell(w.ours));
    toChars.push_back(Cell(w.toChars));
    snprintfs.push_back(Cell(w.snprintf));
    writeOnly.push_back(Cell(w.writeOnly));
    ratioA.push_back(Cell(w.ours / w.toChars, "%.2f"));
    ratioB.push_back(Cell(w.ours / w.snprintf, "%.2f"));
    same.push_back(w.identical);
    cpuA.push_back(Cell(w.oursCpu / w.toCharsCpu, "%.2f"));
    cpuB.push_back(Cell(w.oursCpu / w.snprintfCpu, "%.2f"));
  }
  Row(out, "", names);
  Row(out, "output size, MB", sizes);
  Row(out, "TModFile", ours);
  Row(out, "std::to_chars columns", toChars);
  Row(out, "snprintf(\"%12.4e\") columns", snprintfs);
  Row(out, "the same bytes, written only", writeOnly);
  Row(out, "ours / to_chars", ratioA, "goal >= 0.8");
  Row(out, "ours / snprintf", ratioB, "goal >= 2.5");
  Row(out, "ours / to_chars, processor time", cpuA);
  Row(out, "ours / snprintf, processor time", cpuB);
  Row(out, "output equals the generated file", same);

  out << "\nRun of VesmarInvChk, ms (median of " << run.runs << ")\n";
  Row(out, "examples/run/job1.xyz", {Cell(run.examplesMs, "%.2f")});
  Row(out,
      Format("%.0f MB model file (%lld models)", static_cast<double>(run.bigBytes) / kMB,
             static_cast<long long>(run.bigModels)),
      {Cell(run.bigMs, "%.2f")});
  Row(out, "ratio", {Cell(run.bigMs / run.examplesMs, "%.2f")}, "goal <= 1.5");

  out << "\nPeak memory of a full read, MiB (a child process per read)\n";
  Row(out, "", {".mod", ".mo2"});
  Row(out, "growth of the peak resident size",
      {Cell(memory[0].GrowthMiB()), Cell(memory[1].GrowthMiB())});
  Row(out, "models in memory", {Cell(memory[0].ModelMiB()), Cell(memory[1].ModelMiB())});
  Row(out, "allowed: 1.3 x models + 16", {Cell(memory[0].BoundMiB()), Cell(memory[1].BoundMiB())});
  Row(out, "growth / models",
      {Cell(memory[0].GrowthMiB() / memory[0].ModelMiB(), "%.2f"),
       Cell(memory[1].GrowthMiB() / memory[1].ModelMiB(), "%.2f")});
  out << "  (models in memory: each model's record plus the usable size of every heap block it\n"
         "   owns, down to each lateral array and string; growth: VmHWM after Open minus before)\n";

  out << Format("\nLinearity, ms (median of %d)\n", std::max(options.repetitions, 5));
  Row(out, "",
      {Format("%lld models", static_cast<long long>(linearity[0].models)),
       Format("%lld models", static_cast<long long>(2 * linearity[0].models)), "time ratio",
       "size ratio"});
  for (const LinearityFigures& l : linearity)
    Row(out, l.name,
        {Cell(l.smallMs, "%.2f"), Cell(l.largeMs, "%.2f"), Cell(l.Ratio(), "%.2f"),
         Cell(l.sizeRatio, "%.2f")},
        Format("goal <= %.2f", 1.5 * l.sizeRatio));

  out << "\n";
  for (const Goal& goal : goals)
    out << (goal.met ? "met:    " : "missed: ") << goal.text << ": " << goal.figure << "\n";

  // ---- JSON ----
  std::ofstream json(options.json);
  json << "{\n  \"date\": " << Json(Now()) << ",\n  \"processors\": " << ProcessorCount()
       << ",\n  \"cpu\": " << Json(ProcessorName())
       << ",\n  \"mode\": " << Json(options.quick ? "quick" : "full")
       << ",\n  \"repetitions\": " << options.repetitions << ",\n  \"read_mb_per_s\": {";
  for (size_t i = 0; i < reads.size(); ++i) {
    const ReadFigures& r = reads[i];
    json << (i ? ",\n" : "\n") << "    " << Json(r.style)
         << Format(": {\"file_bytes\": %llu, \"models\": %lld, \"ours\": %.2f, \"from_chars\": "
                   "%.2f, \"ifstream\": %.2f, \"read_only\": %.2f, \"ratio_from_chars\": %.3f, "
                   "\"ratio_ifstream\": %.3f}",
                   static_cast<unsigned long long>(r.bytes), static_cast<long long>(r.models),
                   r.ours, r.fromChars, r.ifstream, r.readOnly, r.ours / r.fromChars,
                   r.ours / r.ifstream);
  }
  json << "\n  },\n  \"write_mb_per_s\": {";
  for (size_t i = 0; i < writes.size(); ++i) {
    const WriteFigures& w = writes[i];
    json << (i ? ",\n" : "\n") << "    " << Json(w.name)
         << Format(": {\"output_bytes\": %llu, \"ours\": %.2f, \"to_chars\": %.2f, \"snprintf\": "
                   "%.2f, \"write_only\": %.2f, \"ratio_to_chars\": %.3f, \"ratio_snprintf\": "
                   "%.3f, \"cpu_ratio_to_chars\": %.3f, \"cpu_ratio_snprintf\": %.3f, "
                   "\"equals_generated\": ",
                   static_cast<unsigned long long>(w.bytes), w.ours, w.toChars, w.snprintf,
                   w.writeOnly, w.ours / w.toChars, w.ours / w.snprintf, w.oursCpu / w.toCharsCpu,
                   w.oursCpu / w.snprintfCpu)
         << Json(w.identical) << "}";
  }
  json << "\n  },\n  \"run_ms\": "
       << Format("{\"runs\": %d, \"examples\": %.3f, \"big_file\": %.3f, \"big_file_bytes\": "
                 "%llu, \"ratio\": %.3f}",
                 run.runs, run.examplesMs, run.bigMs, static_cast<unsigned long long>(run.bigBytes),
                 run.bigMs / run.examplesMs)
       << ",\n  \"memory_mib\": {";
  for (size_t i = 0; i < memory.size(); ++i) {
    const MemoryFigures& m = memory[i];
    json << (i ? ",\n" : "\n") << "    " << Json(m.style)
         << Format(": {\"peak_growth\": %.2f, \"models\": %.2f, \"allowed\": %.2f}", m.GrowthMiB(),
                   m.ModelMiB(), m.BoundMiB());
  }
  json << "\n  },\n  \"linearity_ms\": {";
  for (size_t i = 0; i < linearity.size(); ++i) {
    const LinearityFigures& l = linearity[i];
    json << (i ? ",\n" : "\n") << "    " << Json(l.name)
         << Format(": {\"models\": %lld, \"time\": %.3f, \"time_double\": %.3f, \"time_ratio\": "
                   "%.3f, \"size_ratio\": %.3f}",
                   static_cast<long long>(l.models), l.smallMs, l.largeMs, l.Ratio(), l.sizeRatio);
  }
  json << "\n  },\n  \"goals\": [";
  for (size_t i = 0; i < goals.size(); ++i)
    json << (i ? ",\n" : "\n") << "    {\"goal\": " << Json(goals[i].text)
         << ", \"met\": " << (goals[i].met ? "true" : "false")
         << ", \"figure\": " << Json(goals[i].figure) << "}";
  json << "\n  ]\n}\n";
  json.close();
  out << "\nfigures written to " << fs::absolute(options.json).string() << "\n";
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
