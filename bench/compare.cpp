// kiv_bench_compare: the model-file reader, writer, run, memory and conversions measured side by
// side with plain baselines in one run, reported as ratios against the goals (bench/compare runs
// it).
#include "bench/Baselines.h"
#include "bench/BenchModel.h"
#include "bench/CompareReport.h"
#include "bench/FreshPages.h"
#include "bench/GeneralForm.h"
#include "bench/LoopBench.h"
#include "bench/ModelFileGenerator.h"
#include "bench/ModelMemory.h"
#include "bench/Processes.h"
#include "core/Exceptions.h"
#include "model/ModFile_.h"
#include "platform/Process.h"
#include "platform/ReplacingFile.h"
#include "platform/heap/ProgramHeap.h"
#include "platform/testing/ChildProcess.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kiv::bench {
namespace {

namespace fs = std::filesystem;
using platform::testing::RunChild;
using Clock = std::chrono::steady_clock;

// Bump when the generator's output changes, so that a cached big file is made again.
constexpr int kGeneratorRevision = 1;

// The lines of the performance page between which --update-docs writes the report.
constexpr const char* kDocsBegin = "<!-- begin: written by scripts/bench --update-docs -->";
constexpr const char* kDocsEnd = "<!-- end: written by scripts/bench --update-docs -->";

constexpr const char* kUsage =
    "Usage: compare [--quick] [--size-mb M] [--big-mb M] [--repetitions R] [--layers L]\n"
    "               [--lci L] [--seed S] [--data-dir DIR] [--json PATH] [--keep]\n"
    "               [--commit ID] [--update-docs] [--report-only] [--started-at T]\n"
    "Measures the model-file reader (on files in the writer's column form and on the same\n"
    "values in general form) and writer, the VesmarInvChk run on a big model file, the peak\n"
    "memory of a full read and the conversions against plain baselines, prints a table of\n"
    "ratios and the goals with the spread of their repetitions, and writes the figures to a\n"
    "JSON file. Exits with 1 when a goal is missed.\n"
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
    "  --update-docs    also writes the report into docs/performance.md (needs --commit)\n"
    "  --report-only    exits with 0 when goals are missed: the report alone is wanted\n"
    "  --started-at T   when the whole command started (Unix seconds), so that the time\n"
    "                   reported includes building and setting up\n";

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
  bool reportOnly = false;
  // Since the Unix epoch; 0 when the command's start is this program's.
  double startedAt = 0;
};

// Adds the wall-clock and processor times of one run of body.
void Time(Timings& timings, const std::function<void()>& body) {
  const std::clock_t start = std::clock();
  timings.wall.Add(Seconds(body));
  timings.cpu.Add(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
}

void Progress(const std::string& text) {
  std::cerr << "  " << text << std::endl;
}

// A sum that the optimiser must compute.
volatile double gSink = 0;

// ---- Measurements ----

// Frees the models and gives the freed memory back to the system, so that every repetition
// pays for memory as a fresh process does, and none finds the last one's pages ready.
void ReleaseModels(std::unique_ptr<TModFile>& file) {
  file.reset();
  platform::ReturnFreeHeapMemory();
}

// Copies of all the models, each made as the reader makes its own: the same records and heap
// blocks, in fresh memory, without any text work.
template <class Model, class Get> double CopySeconds(std::int32_t count, Get get) {
  std::vector<Model> copies;
  const double seconds = Seconds([&] {
    copies.reserve(static_cast<size_t>(count));
    for (std::int32_t i = 1; i <= count; ++i)
      copies.push_back(get(i));
  });
  copies = {};
  platform::ReturnFreeHeapMemory();
  return seconds;
}

double ModelCopySeconds(const TModFile& file) {
  platform::ReturnFreeHeapMemory();
  if (file.SparseFormat())
    return CopySeconds<TSparseModel>(file.NumberOfModels(),
                                     [&](std::int32_t i) { return file.GetSparseModel(i); });
  return CopySeconds<TModel>(file.NumberOfModels(),
                             [&](std::int32_t i) { return file.GetModel(i); });
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
    figures.modelCopy.Add(ModelCopySeconds(*kept));
    figures.fromChars.Add(
        Seconds([&] { gSink = gSink + TokenizeWithFromChars(input.path, buffer); }));
    figures.istream.Add(Seconds([&] { gSink = gSink + ReadWithIstream(input.path, buffer); }));
    figures.readOnly.Add(
        Seconds([&] { gSink = gSink + static_cast<double>(ReadOnly(input.path, buffer)); }));
  }
  return figures;
}

// The figures of a read in the order in which the reading child writes them.
constexpr std::pair<const char*, Samples ReadFigures::*> kReadSamples[] = {
    {"ours", &ReadFigures::ours},
    {"from_chars", &ReadFigures::fromChars},
    {"istream", &ReadFigures::istream},
    {"read_only", &ReadFigures::readOnly},
    {"model_copy", &ReadFigures::modelCopy}};

// The child's side of MeasureDefaultReads: the reads of the files in this process, written to
// result as one line per file and figure, its name and then the seconds of each repetition.
int ChildReads(const std::string& result, int repetitions, const std::vector<std::string>& paths) {
  const TVesmarInvModelType type = BenchModelType();
  std::ofstream out(result);
  out.precision(17);
  out << platform::ProgramHeapName() << '\n';
  for (const std::string& path : paths) {
    std::unique_ptr<TModFile> models;
    const ReadFigures figures = MeasureRead(Input{"", "", path}, type, repetitions, models);
    for (const auto& [name, samples] : kReadSamples) {
      out << name;
      for (double seconds : (figures.*samples).values)
        out << ' ' << seconds;
      out << '\n';
    }
  }
  return out.flush() ? 0 : 1;
}

// The reads again, in a child built with the C library's own malloc in place of the programs'
// heap: the figures that compare with a machine where programs run on the default allocator.
// heap is set to the child's heap.
std::vector<ReadFigures> MeasureDefaultReads(const std::vector<Input>& inputs,
                                             const std::string& workDir, int repetitions,
                                             std::string& heap) {
  const std::string result = workDir + "/default-reads.txt";
  std::vector<std::string> arguments = {"--child-reads", result, std::to_string(repetitions)};
  for (const Input& input : inputs)
    arguments.push_back(input.path);
  Progress("the reads again with the C library's malloc, in a child of their own");
  if (RunChild(KIV_BENCH_COMPARE_DEFAULT_HEAP, arguments).exitCode != 0)
    throw std::runtime_error("The reading child with the C library's malloc failed");
  std::ifstream in(result);
  std::getline(in, heap);
  std::vector<ReadFigures> reads;
  for (const Input& input : inputs) {
    ReadFigures figures{input};
    for (const auto& [name, samples] : kReadSamples) {
      std::string line;
      std::getline(in, line);
      std::istringstream words(line);
      std::string word;
      double seconds = 0;
      if (!(words >> word) || word != name)
        throw std::runtime_error("The reading child wrote no " + std::string(name) + " line");
      while (words >> seconds)
        (figures.*samples).Add(seconds);
    }
    reads.push_back(figures);
  }
  return reads;
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
    Time(figures.ours, [&] {
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
    Time(figures.toChars,
         [&] { figures.baselineBytes = WriteWithToChars(table, baseline, buffer); });
    Time(figures.snprintf, [&] { WriteWithSnprintf(table, baseline, buffer); });
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
    const int code =
        RunChild(platform::ExecutablePath(), {"--child-read", input.path, result}).exitCode;
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

// A save into a missing folder fails right after the preparation, before anything is written:
// its time is the preparation's.
double PreparationMs(TModFile& file, const TVesmarInvModelType& type) {
  return 1000 * Seconds([&] {
           try {
             file.SaveGeneral(type, false);
           } catch (const EPelo& failure) {
             if (std::string(failure.what()).rfind("Directory does not exist", 0) != 0)
               throw;
             return;
           }
           throw std::runtime_error("A save into a missing folder did not fail");
         });
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
  // The two sizes take turns, so that a busy moment of the machine weighs on both.
  std::unique_ptr<TModFile> smaller = FirstModels(source, small);
  std::unique_ptr<TModFile> larger = FirstModels(source, 2 * small);
  for (TModFile* file : {smaller.get(), larger.get()})
    file->SetFileName(workDir + "/missing-folder/prepared.mod");
  for (int r = 0; r < repetitions; ++r) {
    Progress(Format("save preparation %d/%d", r + 1, repetitions));
    preparation.smallMs.Add(PreparationMs(*smaller, type));
    preparation.largeMs.Add(PreparationMs(*larger, type));
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
                             figures.examplesExit =
                                 RunChild(options.vesmarInvChk, {examplesRun}).exitCode;
                           }));
    figures.bigMs.Add(1000 * Seconds([&] {
                        figures.bigExit = RunChild(options.vesmarInvChk, {bigRun}).exitCode;
                      }));
  }
  return figures;
}

// ---- The report ----

// The time between the whole command's start and this program's.
double SetupSeconds(const Options& options, Clock::time_point programStart) {
  if (options.startedAt <= 0)
    return 0;
  const double programStartUnix =
      std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count() -
      std::chrono::duration<double>(Clock::now() - programStart).count();
  return std::max(0.0, programStartUnix - options.startedAt);
}

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  char text[64];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
  return text;
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
    if (option == "--quick" || option == "--keep" || option == "--update-docs" ||
        option == "--report-only") {
      (option == "--quick"         ? options.quick
       : option == "--keep"        ? options.keep
       : option == "--update-docs" ? options.updateDocs
                                   : options.reportOnly) = true;
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
    } else if (option == "--started-at") {
      ok =
          std::from_chars(value.data(), end, options.startedAt).ptr == end && options.startedAt > 0;
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

  const FreshPageRates freshPages = MeasureFreshPages();
  std::string defaultHeap;
  const std::vector<ReadFigures> defaultReads =
      MeasureDefaultReads(inputs, workDir, options.repetitions, defaultHeap);

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
  const Figures figures{reads,       defaultReads, platform::ProgramHeapName(),
                        defaultHeap, freshPages,   writes,
                        run,         memory,       linearity};
  const std::vector<Goal> goals = Goals(figures);
  const RunContext context{options.commit,
                           UtcNow(),
                           options.quick,
                           options.repetitions,
                           std::chrono::duration<double>(Clock::now() - start).count(),
                           SetupSeconds(options, start),
                           options.layers,
                           options.lci,
                           options.seed};
  std::ostringstream report;
  PrintReport(report, context, figures, goals);
  std::cout << "\n" << report.str();
  WriteJson(options.json, context, figures, goals);
  std::cout << "\nfigures written to " << fs::absolute(options.json).string() << "\n";
  if (options.updateDocs) {
    UpdateDocs(KIV_PERFORMANCE_PAGE, report.str());
    std::cout << "report written into " << KIV_PERFORMANCE_PAGE << "\n";
  }
  const auto missed =
      std::count_if(goals.begin(), goals.end(), [](const Goal& g) { return !g.Met(); });
  if (missed == 0 || options.reportOnly)
    return 0;
  std::cerr << "kiv_bench_compare: " << missed << " of " << goals.size()
            << " goals missed (--report-only reports without failing)\n";
  return 1;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  kiv::platform::SetUpProgramHeap();
  try {
    if (argc >= 4 && std::string(argv[1]) == "--child-reads")
      return kiv::bench::ChildReads(argv[2], std::atoi(argv[3]), {argv + 4, argv + argc});
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
