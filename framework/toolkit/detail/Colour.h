#pragma once

// Toolkit internals on Qt: colours between the toolkit's 0x00BBGGRR and Qt's.

#include "framework/toolkit/Control.h"

#include <QColor>

namespace kiv::toolkit {

inline QColor ToQColor(TColor AColor) {
  return QColor(AColor & 0xFF, AColor >> 8 & 0xFF, AColor >> 16 & 0xFF);
}

inline TColor FromQRgb(QRgb ARgb) {
  return qBlue(ARgb) << 16 | qGreen(ARgb) << 8 | qRed(ARgb);
}

} // namespace kiv::toolkit
