// kiv_canvas_bench: the paint of a section as the viewer draws it (one sounding per pixel column,
// 30 layers, colours from a scale of 16) through TCanvas FillRect on a bitmap, against the same
// rectangles through a bare QPainter on a QImage, in one run; and the repaint of a paint box of
// that size on the offscreen screen, drawing through TCanvas.
//
//   kiv_canvas_bench [--columns N] [--repetitions R]   (1600 and 9 by default)
#include "bench/LoopBench.h"
#include "framework/toolkit/Appearance.h"
#include "framework/toolkit/Application.h"
#include "framework/toolkit/Canvas.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/PaintBox.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kiv::bench {
namespace {

constexpr int kHeight = 900;
constexpr int kLayers = 30;
constexpr double kGoalMilliseconds = 30;
constexpr double kGoalRatio = 1.5;

// The rectangles of one section: column x, layer tops, colour index.
struct Section {
  int columns;
  std::vector<int> tops;    // columns x (kLayers + 1)
  std::vector<int> colours; // columns x kLayers
  int Top(int column, int layer) const {
    return tops[static_cast<std::size_t>(column * (kLayers + 1) + layer)];
  }
  int Colour(int column, int layer) const {
    return colours[static_cast<std::size_t>(column * kLayers + layer)];
  }
};

Section MakeSection(int columns) {
  Section section{columns, {}, {}};
  for (int x = 0; x < columns; ++x) {
    int top = 0;
    for (int layer = 0; layer < kLayers; ++layer) {
      section.tops.push_back(top);
      top += 10 + (x / 7 + layer * 13) % 40;
      section.colours.push_back((layer + x / 50) % 16);
    }
    section.tops.push_back(kHeight);
  }
  return section;
}

const TColor kScale[16] = {0x800000, 0xA00000, 0xC02000, 0xE04000, 0xFF6000, 0xFF8020,
                           0xE0A040, 0xC0C060, 0x80E080, 0x60E0C0, 0x40C0E0, 0x20A0FF,
                           0x0080FF, 0x0060E0, 0x0040C0, 0x000080};

void PaintSection(TCanvas& canvas, const Section& section) {
  for (int x = 0; x < section.columns; ++x)
    for (int layer = 0; layer < kLayers; ++layer) {
      canvas.Brush.Color = kScale[section.Colour(x, layer)];
      canvas.FillRect({x, section.Top(x, layer), x + 1, section.Top(x, layer + 1)});
    }
}

void PaintSectionBare(QPainter& painter, const Section& section, const QColor (&scale)[16]) {
  for (int x = 0; x < section.columns; ++x)
    for (int layer = 0; layer < kLayers; ++layer)
      painter.fillRect(
          QRect(x, section.Top(x, layer), 1, section.Top(x, layer + 1) - section.Top(x, layer)),
          scale[section.Colour(x, layer)]);
}

int Run(int columns, int repetitions) {
  const Section section = MakeSection(columns);
  QColor scale[16];
  for (int i = 0; i < 16; ++i)
    scale[i] = QColor(kScale[i] & 0xFF, kScale[i] >> 8 & 0xFF, kScale[i] >> 16 & 0xFF);
  TBitmap bitmap(columns, kHeight);
  QImage image(columns, kHeight, QImage::Format_RGB32);
  TForm form(nullptr);
  form.SetClientWidth(columns);
  form.SetClientHeight(kHeight);
  auto* box = new TPaintBox(&form);
  box->SetParent(&form);
  box->SetAlign(TAlign::alClient);
  box->OnPaint = [&](TCanvas& canvas) { PaintSection(canvas, section); };
  form.Show();
  Application().ProcessMessages();

  // The three take turns, so that a change in the machine's load falls on all alike.
  Samples canvas;
  Samples bare;
  Samples screen;
  for (int i = 0; i < repetitions; ++i) {
    canvas.Add(Seconds([&] {
                 PaintSection(bitmap.Canvas(), section);
                 bitmap.Pixels(0, 0); // ends the painting
               }) *
               1e3);
    bare.Add(Seconds([&] {
               QPainter painter(&image);
               PaintSectionBare(painter, section, scale);
             }) *
             1e3);
    screen.Add(Seconds([&] { Repaint(*box); }) * 1e3);
  }
  const Samples ratios = Ratios(canvas, bare);

  std::printf("section of %d columns x %d layers on %d x %d pixels, %d repetitions; median "
              "[least, greatest]\n",
              columns, kLayers, columns, kHeight, repetitions);
  PrintSpread("TCanvas FillRect on a bitmap, ms", canvas);
  PrintSpread("bare QPainter fillRect on a QImage, ms", bare);
  PrintSpread("paint box repainted on the screen, ms", screen);
  PrintSpread("ratio TCanvas / bare QPainter", ratios);
  const bool fast =
      PrintGoal("a paint box paints the section in under 30 ms", screen, true, kGoalMilliseconds);
  const bool thin =
      PrintGoal("TCanvas adds at most half to bare QPainter", ratios, true, kGoalRatio);
  return fast && thin ? 0 : 1;
}

} // namespace
} // namespace kiv::bench

int main(int argc, char** argv) {
  // Qt draws on no display unless a platform is named.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  kiv::TApplication application(argc, argv);
  return kiv::bench::LoopBenchMain(argc, argv, "kiv_canvas_bench", "columns", {1600, 9},
                                   [](const kiv::bench::LoopOptions& options) {
                                     return kiv::bench::Run(options.items, options.repetitions);
                                   });
}
