#pragma once

// Toolkit internals on Qt: the image behind a bitmap.

#include "framework/toolkit/Canvas.h"

#include <QImage>

// 32-bit pixels (0xffRRGGBB), which ScanLine hands out row by row.
struct kiv::TBitmap::Image {
  QImage image;
};
