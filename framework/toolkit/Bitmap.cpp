#include "framework/toolkit/Canvas.h"
#include "framework/toolkit/detail/BitmapImage.h"
#include "framework/toolkit/detail/CanvasPainter.h"
#include "framework/toolkit/detail/Colour.h"
#include "framework/toolkit/detail/IndexCheck.h"
#include "platform/ReplacingFile.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace kiv {

namespace {

QImage WhiteImage(int width, int height) {
  QImage image(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

std::unique_ptr<TCanvas::Painter> PainterOn(QImage& image) {
  auto painter = std::make_unique<TCanvas::Painter>();
  painter->surface = &image;
  painter->beginsAtWill = true;
  return painter;
}

} // namespace

TBitmap::TBitmap(int AWidth, int AHeight)
    : FImage(std::make_unique<Image>(Image{WhiteImage(AWidth, AHeight)})),
      FCanvas(PainterOn(FImage->image)) {}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
  return FImage->image.width();
}

int TBitmap::Height() const {
  return FImage->image.height();
}

// The painter ends first: what it drew is in the pixels only then. The next drawing begins it
// again.
TColor TBitmap::Pixels(int X, int Y) const {
  toolkit::CheckIndex("TBitmap.Pixels", X, Width());
  toolkit::CheckIndex("TBitmap.Pixels", Y, Height());
  FCanvas.QtPainter().End();
  return toolkit::FromQRgb(FImage->image.pixel(X, Y));
}

std::uint32_t* TBitmap::ScanLine(int Y) {
  toolkit::CheckIndex("TBitmap.ScanLine", Y, Height());
  FCanvas.QtPainter().End();
  return reinterpret_cast<std::uint32_t*>(FImage->image.scanLine(Y));
}

std::uint32_t TBitmap::PixelOf(TColor AColor) noexcept {
  return toolkit::ToQColor(AColor).rgb();
}

void TBitmap::SaveToPngFile(const std::string& AFileName) const {
  FCanvas.QtPainter().End();
  QBuffer png;
  png.open(QIODevice::WriteOnly);
  QImageWriter writer(&png, "png");
  if (!writer.write(FImage->image))
    throw std::runtime_error("TBitmap.SaveToPngFile " + AFileName + ": " +
                             writer.errorString().toStdString());
  platform::ReplacingFile file(AFileName);
  file.Write(std::string_view(png.data().constData(), static_cast<std::size_t>(png.size())));
  file.Commit();
}

} // namespace kiv
