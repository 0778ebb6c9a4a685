#include "framework/toolkit/Canvas.h"

#include "framework/toolkit/detail/BitmapImage.h"
#include "framework/toolkit/detail/CanvasPainter.h"
#include "framework/toolkit/detail/Colour.h"

namespace kiv {

namespace {

QRect ToQRect(const TRect& R) {
  return QRect(R.Left, R.Top, R.Width(), R.Height());
}

} // namespace

TCanvas::TCanvas(std::unique_ptr<Painter> APainter) : FPainter(std::move(APainter)) {}

TCanvas::~TCanvas() {
  FPainter->End();
}

int TCanvas::Width() const {
  return FPainter->surface ? FPainter->surface->width() : 0;
}

int TCanvas::Height() const {
  return FPainter->surface ? FPainter->surface->height() : 0;
}

// A colour rather than a brush: Qt's raster engine fills with it directly.
void TCanvas::FillRect(const TRect& R) {
  if (Brush.Style == TBrushStyle::bsClear || R.Width() <= 0 || R.Height() <= 0 ||
      !FPainter->Active())
    return;
  FPainter->painter.fillRect(ToQRect(R), toolkit::ToQColor(Brush.Color));
}

void TCanvas::Draw(int X, int Y, const TBitmap& ABitmap) {
  if (!FPainter->Active())
    return;
  // The bitmap's own painting must be over for its pixels to be complete.
  ABitmap.FCanvas.QtPainter().End();
  FPainter->painter.drawImage(X, Y, ABitmap.QtImage().image);
}

// The painter never holds a brush: the inside is filled as by FillRect, and Qt's rectangle of a
// pen one pixel wide covers its far edges as well, hence one pixel less.
void TCanvas::Rectangle(const TRect& R) {
  FillRect(R);
  if (Pen.Style == TPenStyle::psClear || R.Width() <= 0 || R.Height() <= 0 || !FPainter->Active())
    return;
  FPainter->UsePen({Pen.Color, Pen.Width, Pen.Style});
  FPainter->painter.drawRect(R.Left, R.Top, R.Width() - 1, R.Height() - 1);
}

void TCanvas::MoveTo(int X, int Y) {
  FPenPos = {X, Y};
}

void TCanvas::LineTo(int X, int Y) {
  const TPoint from = FPenPos;
  FPenPos = {X, Y};
  if (Pen.Style == TPenStyle::psClear || !FPainter->Active())
    return;
  FPainter->UsePen({Pen.Color, Pen.Width, Pen.Style});
  FPainter->painter.drawLine(from.X, from.Y, X, Y);
}

void TCanvas::Polyline(std::span<const TPoint> Points) {
  if (Points.size() < 2 || Pen.Style == TPenStyle::psClear || !FPainter->Active())
    return;
  std::vector<QPoint>& points = FPainter->points;
  points.clear();
  for (const TPoint& point : Points)
    points.emplace_back(point.X, point.Y);
  FPainter->UsePen({Pen.Color, Pen.Width, Pen.Style});
  FPainter->painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  if (Text.empty() || !FPainter->Active())
    return;
  FPainter->UseFont(Font);
  FPainter->UsePen({Font.Color, 1, TPenStyle::psSolid});
  FPainter->painter.drawText(X, Y + FPainter->Metrics(Font).ascent(), QString::fromStdString(Text));
}

int TCanvas::TextWidth(const std::string& Text) {
  return FPainter->Metrics(Font).horizontalAdvance(QString::fromStdString(Text));
}

int TCanvas::TextHeight(const std::string&) {
  return FPainter->Metrics(Font).height();
}

void TCanvas::SetClipRect(const TRect& R) {
  FPainter->clip = ToQRect(R);
  if (FPainter->painter.isActive())
    FPainter->painter.setClipRect(*FPainter->clip);
}

void TCanvas::ResetClip() {
  FPainter->clip.reset();
  if (FPainter->painter.isActive())
    FPainter->painter.setClipping(false);
}

} // namespace kiv
