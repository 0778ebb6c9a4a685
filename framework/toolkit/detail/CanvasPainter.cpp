#include "framework/toolkit/detail/CanvasPainter.h"

#include "framework/toolkit/detail/Colour.h"

#include <QGuiApplication>
#include <algorithm>

namespace kiv {

namespace {

Qt::PenStyle QtPenStyle(TPenStyle style) {
  switch (style) {
  case TPenStyle::psDash:
    return Qt::DashLine;
  case TPenStyle::psDot:
    return Qt::DotLine;
  case TPenStyle::psClear:
    return Qt::NoPen;
  default:
    return Qt::SolidLine;
  }
}

// The colour is the pen's, not the font's.
bool SameFont(const TFont& a, const TFont& b) {
  return a.Name == b.Name && a.Size == b.Size && a.Bold == b.Bold;
}

} // namespace

void TCanvas::Painter::Begin(QPaintDevice& device) {
  surface = &device;
  painter.begin(surface);
  pen.reset();
  hasFont = false;
  if (clip)
    painter.setClipRect(*clip);
}

void TCanvas::Painter::End() noexcept {
  if (painter.isActive())
    painter.end();
}

bool TCanvas::Painter::Active() {
  if (painter.isActive())
    return true;
  // Qt warns about a painter on a picture without pixels: there is nothing to draw on.
  if (!beginsAtWill || !surface || surface->width() <= 0 || surface->height() <= 0)
    return false;
  Begin(*surface);
  return painter.isActive();
}

// Square caps: a line one pixel wide covers both its end points, whichever way it runs (without
// caps Qt leaves out the lower or right one).
void TCanvas::Painter::UsePen(const PenLook& look) {
  if (pen == look)
    return;
  painter.setPen(QPen(toolkit::ToQColor(look.color), std::max(1, look.width),
                      QtPenStyle(look.style), Qt::SquareCap, Qt::MiterJoin));
  pen = look;
}

void TCanvas::Painter::Build(const TFont& canvasFont) {
  if (font && SameFont(*font, canvasFont))
    return;
  qtFont = QGuiApplication::font();
  if (!canvasFont.Name.empty())
    qtFont.setFamily(QString::fromStdString(canvasFont.Name));
  if (canvasFont.Size > 0)
    qtFont.setPointSize(canvasFont.Size);
  qtFont.setBold(canvasFont.Bold);
  font = canvasFont;
  metrics.reset();
  hasFont = false;
}

void TCanvas::Painter::UseFont(const TFont& canvasFont) {
  Build(canvasFont);
  if (hasFont)
    return;
  painter.setFont(qtFont);
  hasFont = true;
}

const QFontMetrics& TCanvas::Painter::Metrics(const TFont& canvasFont) {
  Build(canvasFont);
  if (!metrics)
    metrics.emplace(qtFont, surface);
  return *metrics;
}

} // namespace kiv
