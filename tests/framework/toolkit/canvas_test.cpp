#include "framework/toolkit/Canvas.h"
#include "platform/testing/FaultInjection.h"
#include "testing/support/Failure.h"
#include "testing/support/ReplacingFileSteps.h"
#include "testing/support/SystemFailure.h"
#include "testing/support/TempDir.h"

#include <QImage>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kiv {
namespace {

constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGreen = 0x008000;

// The rows of the bitmap as characters: '.' white, 'k' black, 'r' red, 'b' blue, 'g' green, '?'
// any other colour.
std::vector<std::string> Picture(const TBitmap& bitmap) {
  std::vector<std::string> rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::string row;
    for (int x = 0; x < bitmap.Width(); ++x)
      switch (bitmap.Pixels(x, y)) {
      case clWhite:
        row += '.';
        break;
      case clBlack:
        row += 'k';
        break;
      case clRed:
        row += 'r';
        break;
      case clBlue:
        row += 'b';
        break;
      case clGreen:
        row += 'g';
        break;
      default:
        row += '?';
      }
    rows.push_back(row);
  }
  return rows;
}

TEST(TCanvas, FillsAndOutlinesRectanglesWithoutTheirRightAndBottomEdges) {
  TBitmap bitmap(8, 6);
  TCanvas& canvas = bitmap.Canvas();
  EXPECT_EQ(canvas.Width(), 8);
  EXPECT_EQ(canvas.Height(), 6);
  canvas.Brush.Color = clRed;
  canvas.FillRect({0, 0, 2, 3});
  canvas.Brush.Color = clBlue;
  canvas.Rectangle({3, 1, 8, 5});
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.FillRect({0, 0, 8, 6});
  canvas.Pen.Style = TPenStyle::psClear;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Brush.Color = clGreen;
  canvas.Rectangle({0, 4, 2, 6});
  EXPECT_EQ(Picture(bitmap), (std::vector<std::string>{"rr......", //
                                                       "rr.kkkkk", //
                                                       "rr.kbbbk", //
                                                       "...kbbbk", //
                                                       "gg.kkkkk", //
                                                       "gg......"}));
}

TEST(TCanvas, DrawsLinesWithBothEnds) {
  TBitmap bitmap(8, 6);
  TCanvas& canvas = bitmap.Canvas();
  canvas.MoveTo(1, 0);
  canvas.LineTo(6, 0);
  canvas.Pen.Color = clRed;
  canvas.LineTo(6, 3);
  const TPoint points[] = {{0, 5}, {3, 2}, {3, 5}};
  canvas.Pen.Color = clBlue;
  canvas.Polyline(points);
  canvas.Pen.Style = TPenStyle::psClear;
  canvas.LineTo(0, 3);
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Color = clGreen;
  canvas.LineTo(0, 0);
  EXPECT_EQ(Picture(bitmap), (std::vector<std::string>{"gkkkkkr.", //
                                                       "g.....r.", //
                                                       "g..b..r.", //
                                                       "g.bb..r.", //
                                                       ".b.b....", //
                                                       "b..b...."}));
}

TEST(TCanvas, DashedPenLeavesGaps) {
  TBitmap bitmap(40, 1);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen.Style = TPenStyle::psDash;
  canvas.MoveTo(0, 0);
  canvas.LineTo(40, 0);
  const std::string row = Picture(bitmap).front();
  EXPECT_NE(row.find('k'), std::string::npos);
  EXPECT_NE(row.find('.'), std::string::npos);
}

TEST(TCanvas, ClipDropsDrawingOutsideUntilReset) {
  TBitmap bitmap(6, 2);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetClipRect({1, 0, 3, 2});
  canvas.Brush.Color = clRed;
  canvas.FillRect({0, 0, 6, 1});
  // Reading pixels ends the painting; the clip holds in the next one.
  EXPECT_EQ(bitmap.Pixels(0, 0), clWhite);
  canvas.MoveTo(0, 1);
  canvas.LineTo(6, 1);
  canvas.ResetClip();
  canvas.Brush.Color = clBlue;
  canvas.FillRect({5, 0, 6, 2});
  EXPECT_EQ(Picture(bitmap), (std::vector<std::string>{".rr..b", //
                                                       ".kk..b"}));
}

TEST(TCanvas, WritesTextInTheFontsColourWithinItsMeasures) {
  TBitmap bitmap(120, 40);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Font.Color = clRed;
  const int width = canvas.TextWidth("Depth");
  const int height = canvas.TextHeight("Depth");
  EXPECT_GT(width, 0);
  EXPECT_GT(height, 0);
  EXPECT_GT(canvas.TextWidth("Depth 10 m"), width);
  canvas.Font.Size = 20;
  canvas.Font.Bold = true;
  EXPECT_GT(canvas.TextHeight("Depth"), height);
  EXPECT_GT(canvas.TextWidth("Depth"), width);
  canvas.Font.Size = 0;
  canvas.Font.Bold = false;
  canvas.TextOut(10, 5, "Depth");
  // A line after the text takes the pen's colour, not the font's.
  canvas.MoveTo(0, 39);
  canvas.LineTo(3, 39);
  EXPECT_EQ(bitmap.Pixels(1, 39), clBlack);
  int inked = 0;
  for (int y = 0; y < 39; ++y)
    for (int x = 0; x < 120; ++x) {
      const TColor pixel = bitmap.Pixels(x, y);
      if (pixel == clWhite)
        continue;
      ++inked;
      EXPECT_TRUE(x >= 10 && x < 10 + width && y >= 5 && y < 5 + height) << x << "," << y;
      EXPECT_EQ(pixel & 0xFF, 0xFF) << "not red at " << x << "," << y;
    }
  EXPECT_GT(inked, 0);
}

TEST(TBitmap, RefusesPixelsOutside) {
  const TBitmap bitmap(4, 3);
  EXPECT_EQ(test::Failure([&] { bitmap.Pixels(4, 0); }),
            test::Expected("foreign", "TBitmap.Pixels: index 4 out of range"));
  EXPECT_EQ(test::Failure([&] { bitmap.Pixels(0, -1); }),
            test::Expected("foreign", "TBitmap.Pixels: index -1 out of range"));
}

TEST(TBitmap, RowsWrittenPixelByPixelMixWithCanvasDrawingAndDrawElsewhere) {
  TBitmap tile(4, 2);
  tile.Canvas().Brush.Color = clBlue;
  tile.Canvas().FillRect({0, 0, 4, 1});
  std::uint32_t* row = tile.ScanLine(1);
  row[1] = TBitmap::PixelOf(clRed);
  row[2] = TBitmap::PixelOf(clGreen);
  tile.Canvas().Brush.Color = clBlack;
  tile.Canvas().FillRect({3, 1, 4, 2});
  EXPECT_EQ(Picture(tile), (std::vector<std::string>{"bbbb", ".rgk"}));

  TBitmap target(6, 4);
  target.Canvas().Draw(1, 2, tile);
  EXPECT_EQ(Picture(target), (std::vector<std::string>{"......", "......", ".bbbb.", "..rgk."}));
  EXPECT_EQ(test::Failure([&] { tile.ScanLine(2); }),
            test::Expected("foreign", "TBitmap.ScanLine: index 2 out of range"));
}

TEST(TBitmap, SavesAPngWithItsPixels) {
  const test::TempDir folder;
  TBitmap bitmap(30, 20);
  bitmap.Canvas().Brush.Color = clBlue;
  bitmap.Canvas().Rectangle({2, 3, 25, 18});
  bitmap.Canvas().TextOut(4, 4, "Ab");
  bitmap.SaveToPngFile(folder / "section.png");
  const QImage saved(QString::fromStdString(folder / "section.png"));
  ASSERT_EQ(saved.size(), QSize(30, 20));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const QRgb pixel = saved.pixel(x, y);
      ASSERT_EQ(qBlue(pixel) << 16 | qGreen(pixel) << 8 | qRed(pixel), bitmap.Pixels(x, y))
          << x << "," << y;
    }
}

TEST(TBitmap, FailedSaveLeavesTheFileAsItWas) {
  const test::TempDir folder;
  const std::string target = folder / "section.png";
  test::WriteFile(target, "old picture");
  const TBitmap bitmap(4, 4);
  {
    const platform::testing::ScopedFault full(
        platform::testing::Operation::Rename,
        platform::testing::Fault::Error(std::errc::no_space_on_device));
    EXPECT_EQ(test::SystemFailure([&] { bitmap.SaveToPngFile(target); }),
              test::ExpectedSystemFailure(std::errc::no_space_on_device, "rename " + target));
  }
  EXPECT_EQ(test::ReadFile(target), "old picture");
  EXPECT_EQ(test::Entries(folder.path()), std::vector<std::string>{"section.png"});
  const std::string nowhere = folder / "missing/section.png";
  EXPECT_EQ(test::SystemFailure([&] { bitmap.SaveToPngFile(nowhere); }),
            test::ExpectedSystemFailure(std::errc::no_such_file_or_directory, "open " + nowhere));
}

TEST(TBitmap, EmptyPictureDrawsNothingAndIsNotSaved) {
  const test::TempDir folder;
  TBitmap bitmap(0, 5);
  bitmap.Canvas().FillRect({0, 0, 5, 5});
  bitmap.Canvas().TextOut(0, 0, "x");
  EXPECT_EQ(test::Failure([&] { bitmap.SaveToPngFile(folder / "empty.png"); }),
            test::Expected("foreign",
                           "TBitmap.SaveToPngFile " + (folder / "empty.png") + ": Image is empty"));
  EXPECT_FALSE(test::FileExists(folder / "empty.png"));
}

} // namespace
} // namespace kiv
