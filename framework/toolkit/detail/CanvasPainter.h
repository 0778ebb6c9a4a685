#pragma once

// Toolkit internals on Qt: the painter behind a canvas.

#include "framework/toolkit/Canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

// A QPainter on the surface a canvas draws on, with what was last handed to it: Qt gets a new pen
// or font only when the canvas's differs, as building and setting them is what costs.
struct kiv::TCanvas::Painter {
  // What the pen draws: the canvas's pen, or the font's colour for text.
  struct PenLook {
    TColor color;
    int width;
    TPenStyle style;
    bool operator==(const PenLook&) const = default;
  };

  // Begins painting on device, which must outlive the painting.
  void Begin(QPaintDevice& device);
  // Ends painting; the clip stays for the next painting on the same surface.
  void End() noexcept;
  // Painting: begun on the surface when painting may begin at any time (a picture), else
  // whether a painting is on (a paint box during its paint).
  bool Active();

  void UsePen(const PenLook& look);
  void UseFont(const TFont& font);
  const QFontMetrics& Metrics(const TFont& font);

  // The surface drawn on, which a picture's painter begins on at will; a paint box's painter has
  // one only while it paints.
  QPaintDevice* surface = nullptr;
  bool beginsAtWill = false;
  QPainter painter;
  // What the painter holds since it began.
  std::optional<PenLook> pen;
  bool hasFont = false;
  // The canvas's font as last built, with its measures.
  std::optional<TFont> font;
  QFont qtFont;
  std::optional<QFontMetrics> metrics;
  std::optional<QRect> clip;
  // The points of the last polyline, kept so that the next one needs no allocation.
  std::vector<QPoint> points;

private:
  void Build(const TFont& font);
};
