// kiv_viewer_bench: the viewer's performance goals, each against a baseline measured in the same
// run, offscreen:
// - the open of a survey of about SIZE MB, from OpenFile on a shown window to the first painted
//   section, against the library's own TModFile::Open of the same file;
// - the first paint of a section of 100,000 soundings of 30 layers into a 1600 x 900 canvas, and
//   its repaint after a pan, against one FillRect of as many pixels;
// - the peak memory growth of such an open, in a child process, against the models' own size.
//
//   kiv_viewer_bench [--size-mb SIZE] [--repetitions R]   (200 and 5 by default)
#include "bench/LoopBench.h"
#include "bench/ModelMemory.h"
#include "bench/Processes.h"
#include "bench/ScratchFiles.h"
#include "framework/base/Debug.h"
#include "framework/desktop/FrameworkStartup.h"
#include "framework/desktop/My.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Canvas.h"
#include "framework/toolkit/ComponentGuard.h"
#include "framework/toolkit/PaintBox.h"
#include "model/ModelTypeNames.h"
#include "platform/Process.h"
#include "platform/heap/ProgramHeap.h"
#include "platform/testing/ChildProcess.h"
#include "testing/model/SurveyFile.h"
#include "viewer/SectionGeometry.h"
#include "viewer/SectionPainter.h"
#include "viewer/SurveyDocument.h"
#include "viewer/ViewerForm.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace kiv::bench {
namespace {

using viewer::TKivViewForm;

constexpr double kOpenGoal = 1.15;
constexpr double kFirstPaintGoalMs = 30;
constexpr double kPanPaintGoalMs = 16;
constexpr double kMemoryGoal = 1.1;
constexpr std::int32_t kLayers = 30;
constexpr std::int32_t kSectionSoundings = 100000;
constexpr int kCanvasWidth = 1600;
constexpr int kCanvasHeight = 900;
// A drag of the section by this many pixels, as a pan in the window takes it.
constexpr int kPanPixels = 40;
// How long the window may take to paint its section once opened before the run counts as failed.
constexpr auto kPaintDeadline = std::chrono::seconds(60);
constexpr double kMiB = 1024.0 * 1024.0;

void Progress(const std::string& text) {
  std::fprintf(stderr, "  %s\n", text.c_str());
}

double FileMegabytes(const std::string& path) {
  return static_cast<double>(std::filesystem::file_size(path)) / 1e6;
}

struct Survey {
  std::string path;
  std::int32_t soundings;
};

// A survey of 30 layers of about megabytes, written by the tests' survey writer.
Survey WriteOpenSurvey(int megabytes) {
  const std::string sample = test::WriteSurvey({100, kLayers, false}, Scratch().Path("sample.mod"));
  const double perSounding = FileMegabytes(sample) / 100;
  std::filesystem::remove(sample);
  const auto soundings = static_cast<std::int32_t>(megabytes / perSounding);
  return {test::WriteSurvey({soundings, kLayers, false}, Scratch().Path("open.mod")), soundings};
}

// A main window as kivview makes it at its start, shown and settled; owned by the application.
TKivViewForm* ShownViewer() {
  auto* form = new TKivViewForm(&Application());
  KivFormList->AddForm(*form, true);
  form->Show();
  Application().ProcessMessages();
  return form;
}

// Counts the paints of the section box that show a document, for as long as it lives.
class SectionPaints {
public:
  explicit SectionPaints(TKivViewForm& form) : box_(*form.SectionBox), paint_(box_.OnPaint) {
    box_.OnPaint = [this, &form](TCanvas& canvas) {
      paint_(canvas);
      if (form.Document() != nullptr)
        ++count_;
    };
  }
  SectionPaints(const SectionPaints&) = delete;
  SectionPaints& operator=(const SectionPaints&) = delete;
  ~SectionPaints() { box_.OnPaint = paint_; }
  int Count() const noexcept { return count_; }

private:
  TPaintBox& box_;
  std::function<void(TCanvas&)> paint_;
  int count_ = 0;
};

// What the user waits for after choosing a file: OpenFile, then the window's events until the
// section box has painted the new document on the screen (the window's other panes repaint in
// the same events).
void OpenAndPaint(TKivViewForm& form, const std::string& path) {
  const SectionPaints paints(form);
  if (!form.OpenFile(path))
    throw std::runtime_error("The viewer did not open " + path);
  const auto deadline = std::chrono::steady_clock::now() + kPaintDeadline;
  while (paints.Count() == 0) {
    if (std::chrono::steady_clock::now() > deadline)
      throw std::runtime_error("The viewer did not paint the section of " + path);
    Application().ProcessMessages();
  }
}

// The window and its document freed, and their memory given back, so that the next open starts
// as in a fresh program.
void CloseViewer(TComponentGuard<TKivViewForm>& form) {
  delete form.Get();
  Application().ProcessMessages();
  platform::ReturnFreeHeapMemory();
}

struct OpenFigures {
  Samples viewerSeconds;
  Samples librarySeconds;
};

// The two take turns, the viewer first, after one pair that is not counted (the file into the
// page cache, the heap's first segments).
OpenFigures MeasureOpen(const std::string& path, int repetitions) {
  const TVesmarInvModelType type = OlderLayoutModelType(test::kSurveyTypeCode);
  OpenFigures figures;
  for (int r = 0; r <= repetitions; ++r) {
    Progress("open " + std::to_string(r) + "/" + std::to_string(repetitions) +
             (r == 0 ? " (warm-up)" : ""));
    TComponentGuard<TKivViewForm> form(ShownViewer());
    const double viewer = Seconds([&] { OpenAndPaint(*form.Get(), path); });
    CloseViewer(form);
    auto file = std::make_unique<TModFile>();
    const double library = Seconds([&] { file->Open(path, false, &type); });
    file.reset();
    platform::ReturnFreeHeapMemory();
    if (r == 0)
      continue;
    figures.viewerSeconds.Add(viewer);
    figures.librarySeconds.Add(library);
  }
  return figures;
}

struct PaintFigures {
  Samples firstMs;
  Samples panMs;
  Samples fillMs;
};

// The section as a window of 1600 x 900 shows it after an open: a painter that has painted
// nothing yet, the whole survey in view, the first sounding selected; then a drag and its
// repaint. Between them, the baseline fills the same canvas size once.
PaintFigures MeasurePaint(const viewer::TSurveyDocument& document, int repetitions) {
  const viewer::TSectionGeometry geometry(document);
  TBitmap canvas(kCanvasWidth, kCanvasHeight);
  TBitmap plain(kCanvasWidth, kCanvasHeight);
  PaintFigures figures;
  for (int r = 0; r < repetitions; ++r) {
    viewer::TSectionPainter painter;
    viewer::TSectionViewport viewport;
    viewport.Fit(geometry);
    figures.firstMs.Add(Seconds([&] {
                          painter.Paint(canvas.Canvas(), document, geometry, viewport, 0);
                          canvas.Pixels(0, 0); // ends the painting
                        }) *
                        1e3);
    figures.panMs.Add(Seconds([&] {
                        viewport.Pan(r % 2 == 0 ? kPanPixels : -kPanPixels, kPanPixels / 4);
                        painter.Paint(canvas.Canvas(), document, geometry, viewport, 0);
                        canvas.Pixels(0, 0);
                      }) *
                      1e3);
    figures.fillMs.Add(
        Seconds([&] {
          plain.Canvas().Brush = {r % 2 == 0 ? clBlack : clWhite, TBrushStyle::bsSolid};
          plain.Canvas().FillRect({0, 0, kCanvasWidth, kCanvasHeight});
          plain.Pixels(0, 0);
        }) *
        1e3);
  }
  return figures;
}

// The peaks and resident sizes (KiB) before and after an open, and the models' bytes, as a
// child writes them.
struct MemoryRecord {
  std::uint64_t peakBefore = 0;
  std::uint64_t peakAfter = 0;
  std::uint64_t residentBefore = 0;
  std::uint64_t residentAfter = 0;
  std::uint64_t models = 0;
};

void WriteRecord(const std::string& result, const MemoryRecord& record) {
  std::ofstream(result) << record.peakBefore << ' ' << record.peakAfter << ' '
                        << record.residentBefore << ' ' << record.residentAfter << ' '
                        << record.models << '\n';
}

// The child's side: the open in a shown window, the section painted.
int ChildOpen(const std::string& path, const std::string& result) {
  TComponentGuard<TKivViewForm> form(ShownViewer());
  MemoryRecord record{PeakResidentKib(), 0, ResidentKib(), 0, 0};
  OpenAndPaint(*form.Get(), path);
  record.peakAfter = PeakResidentKib();
  record.residentAfter = ResidentKib();
  record.models = ModelBytes(form->Document()->File());
  WriteRecord(result, record);
  return 0;
}

// The child's side of the baseline: the library's own read of the same file.
int ChildRead(const std::string& path, const std::string& result) {
  const TVesmarInvModelType type = OlderLayoutModelType(test::kSurveyTypeCode);
  MemoryRecord record{PeakResidentKib(), 0, ResidentKib(), 0, 0};
  TModFile file;
  file.Open(path, false, &type);
  record.peakAfter = PeakResidentKib();
  record.residentAfter = ResidentKib();
  record.models = ModelBytes(file);
  WriteRecord(result, record);
  return 0;
}

struct MemoryFigures {
  Samples peakGrowthMiB;
  Samples residentGrowthMiB;
  Samples libraryPeakGrowthMiB;
  double modelsMiB = 0;
};

MemoryRecord RunMemoryChild(const std::string& mode, const std::string& path) {
  const std::string result = Scratch().Path("memory.txt");
  const int code =
      platform::testing::RunChild(platform::ExecutablePath(), {mode, path, result}).exitCode;
  std::ifstream in(result);
  MemoryRecord record;
  if (code != 0 || !(in >> record.peakBefore >> record.peakAfter >> record.residentBefore >>
                     record.residentAfter >> record.models))
    throw std::runtime_error("The child " + mode + " of " + path + " failed");
  return record;
}

MemoryFigures MeasureMemory(const std::string& path, int repetitions) {
  MemoryFigures figures;
  for (int r = 0; r < repetitions; ++r) {
    Progress("memory of an open " + std::to_string(r + 1) + "/" + std::to_string(repetitions));
    const MemoryRecord open = RunMemoryChild("--child-open", path);
    const MemoryRecord read = RunMemoryChild("--child-read", path);
    figures.peakGrowthMiB.Add(static_cast<double>(open.peakAfter - open.peakBefore) / 1024);
    figures.residentGrowthMiB.Add(
        (static_cast<double>(open.residentAfter) - static_cast<double>(open.residentBefore)) /
        1024);
    figures.libraryPeakGrowthMiB.Add(static_cast<double>(read.peakAfter - read.peakBefore) / 1024);
    figures.modelsMiB = static_cast<double>(open.models) / kMiB;
  }
  return figures;
}

Samples Scaled(const Samples& samples, double divisor) {
  Samples scaled;
  for (const double value : samples.values)
    scaled.Add(value / divisor);
  return scaled;
}

int Run(int megabytes, int repetitions) {
  Progress("writing a survey of about " + std::to_string(megabytes) + " MB");
  const Survey survey = WriteOpenSurvey(megabytes);
  const double openMegabytes = FileMegabytes(survey.path);
  const OpenFigures open = MeasureOpen(survey.path, repetitions);
  const MemoryFigures memory = MeasureMemory(survey.path, repetitions);
  std::filesystem::remove(survey.path);

  Progress("writing a survey of " + std::to_string(kSectionSoundings) + " soundings");
  const std::string sectionPath =
      test::WriteSurvey({kSectionSoundings, kLayers, false}, Scratch().Path("section.mod"));
  const auto document = viewer::TSurveyDocument::Read(sectionPath, {});
  std::filesystem::remove(sectionPath);
  Progress("painting the section");
  const PaintFigures paint = MeasurePaint(*document, repetitions);

  std::printf("on %s, %d repetitions; median [least, greatest]\n",
              platform::ProgramHeapName().c_str(), repetitions);
  std::printf("open of a %.1f MB survey, %d soundings x %d layers:\n", openMegabytes,
              survey.soundings, kLayers);
  PrintSpread("viewer: OpenFile to the painted section, s", open.viewerSeconds, "%.3f");
  PrintSpread("library: TModFile::Open, s", open.librarySeconds, "%.3f");
  const Samples openRatios = Ratios(open.viewerSeconds, open.librarySeconds);
  PrintSpread("ratio viewer / library", openRatios, "%.3f");
  std::printf("memory of that open, each in a process of its own:\n");
  PrintSpread("viewer: peak growth, MiB", memory.peakGrowthMiB, "%.1f");
  PrintSpread("viewer: resident growth, MiB", memory.residentGrowthMiB, "%.1f");
  PrintSpread("library Open: peak growth, MiB", memory.libraryPeakGrowthMiB, "%.1f");
  std::printf("  %-44s %8.1f\n", "models' own size, MiB", memory.modelsMiB);
  const Samples memoryRatios = Scaled(memory.peakGrowthMiB, memory.modelsMiB);
  PrintSpread("ratio viewer peak growth / models", memoryRatios, "%.3f");
  PrintSpread("ratio library peak growth / models",
              Scaled(memory.libraryPeakGrowthMiB, memory.modelsMiB), "%.3f");
  std::printf("section of %d soundings x %d layers on a %d x %d canvas:\n", kSectionSoundings,
              kLayers, kCanvasWidth, kCanvasHeight);
  PrintSpread("first paint, ms", paint.firstMs);
  PrintSpread("pan and repaint, ms", paint.panMs);
  PrintSpread("one FillRect of the canvas, ms", paint.fillMs);
  PrintSpread("ratio first paint / FillRect", Ratios(paint.firstMs, paint.fillMs), "%.1f");
  PrintSpread("ratio pan and repaint / FillRect", Ratios(paint.panMs, paint.fillMs), "%.1f");

  const bool opens = PrintGoal("an open to the painted section takes at most 1.15 times the "
                               "library's Open",
                               openRatios, true, kOpenGoal);
  const bool light = PrintGoal("an open's peak memory growth is at most 1.1 times the models",
                               memoryRatios, true, kMemoryGoal);
  const bool first = PrintGoal("the first paint of the section takes at most 30 ms", paint.firstMs,
                               true, kFirstPaintGoalMs);
  const bool pans =
      PrintGoal("a repaint after a pan takes at most 16 ms", paint.panMs, true, kPanPaintGoalMs);
  return opens && light && first && pans ? 0 : 1;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  kiv::platform::SetUpProgramHeap();
  // Qt draws on no display unless a platform is named; the windows keep their settings in the
  // run's own folder.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("KIV_REGISTRY_DIR", kiv::bench::Scratch().Path("registry").c_str(), 1);
  kiv::TApplication application(argc, argv);
  kiv::TFrameworkStartup startup(application);
  kiv::My()->Debug->StartLogFile(kiv::bench::Scratch().Path("kivview.log"));
  try {
    if (argc == 4 && std::string(argv[1]) == "--child-open")
      return kiv::bench::ChildOpen(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "--child-read")
      return kiv::bench::ChildRead(argv[2], argv[3]);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "kiv_viewer_bench: %s\n", failure.what());
    return 1;
  }
  return kiv::bench::LoopBenchMain(argc, argv, "kiv_viewer_bench", "size-mb", {200, 5},
                                   [](const kiv::bench::LoopOptions& options) {
                                     return kiv::bench::Run(options.items, options.repetitions);
                                   });
}
