#pragma once

// Toolkit: drawing (TCanvas) on a paint box or an off-screen picture (TBitmap).

#include "framework/toolkit/Control.h"
#include "framework/toolkit/Geometry.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace kiv {

enum class TPenStyle { psSolid, psDash, psDot, psClear };
struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
};

enum class TBrushStyle { bsSolid, bsClear };
struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TFont {
  std::string Name; // empty: the application's font
  int Size = 0;     // points; 0: the application's
  TColor Color = clBlack;
  bool Bold = false;
};

// Draws on a paint box during its OnPaint, or on a bitmap. Pen, Brush and Font are read at each
// drawing call; only what changed since the last call reaches the platform, so that many calls
// in few colours stay cheap. Drawing is not smoothed: a pixel is either drawn or not.
class TBitmap;

class TCanvas {
public:
  // The platform's side, defined where the toolkit meets Qt (framework/toolkit/detail/).
  struct Painter;

  explicit TCanvas(std::unique_ptr<Painter> APainter);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  // The size of the surface drawn on.
  int Width() const;
  int Height() const;

  // Fills R with the brush, without outline.
  void FillRect(const TRect& R);
  // Outlines R with the pen, on its outermost pixels, and fills the inside with the brush.
  void Rectangle(const TRect& R);
  void MoveTo(int X, int Y);
  // Draws with the pen from the pen position to X, Y, both included; the pen position moves to
  // X, Y.
  void LineTo(int X, int Y);
  // Lines with the pen through the points in turn, the last included; leaves the pen position
  // alone.
  void Polyline(std::span<const TPoint> Points);
  // Writes Text in the font with its top-left corner at X, Y, without background.
  void TextOut(int X, int Y, const std::string& Text);
  int TextWidth(const std::string& Text);
  int TextHeight(const std::string& Text);
  // Drawing outside R is dropped until ResetClip.
  void SetClipRect(const TRect& R);
  void ResetClip();
  // Copies the bitmap's pixels with their top-left corner at X, Y.
  void Draw(int X, int Y, const TBitmap& ABitmap);

  Painter& QtPainter() const noexcept { return *FPainter; }

private:
  std::unique_ptr<Painter> FPainter;
  TPoint FPenPos;
};

// An off-screen picture to draw on and save.
class TBitmap {
public:
  // Filled white.
  TBitmap(int AWidth, int AHeight);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const;
  int Height() const;
  TCanvas& Canvas() noexcept { return FCanvas; }
  // 0x00BBGGRR, for tests and checks.
  TColor Pixels(int X, int Y) const;
  // Row Y's Width() pixels, to write many of them at the cost of memory writes: a picture made
  // pixel by pixel costs a canvas call per pixel or per run otherwise. Each is a colour as PixelOf
  // gives it. Drawing through the canvas and writing rows may alternate.
  std::uint32_t* ScanLine(int Y);
  static std::uint32_t PixelOf(TColor AColor) noexcept;

  // The platform's side, defined where the toolkit meets Qt.
  struct Image;
  const Image& QtImage() const noexcept { return *FImage; }
  // Writes the picture as PNG, replacing AFileName only once complete, so that a failed save
  // leaves the file as it was. Failures are the platform's std::system_error, cause kept.
  void SaveToPngFile(const std::string& AFileName) const;

private:
  // Ends the bitmap's own painting before it draws the pixels elsewhere.
  friend class TCanvas;

  std::unique_ptr<Image> FImage;
  TCanvas FCanvas;
};

} // namespace kiv
