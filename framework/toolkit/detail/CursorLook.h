#pragma once

// The Qt side of a toolkit cursor.

#include "framework/toolkit/Screen.h"

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QPoint>

// A shape of Qt's, or a picture (Qt::BitmapCursor) with its hot spot. Kept as an image, not as a
// QCursor, so that the screen's table may outlive the application object.
struct kiv::TCursorImage::Look {
  Qt::CursorShape shape = Qt::ArrowCursor;
  QImage picture;
  QPoint hotSpot;
};

namespace kiv::toolkit {

// Needs the application object.
inline QCursor ToQCursor(const TCursorImage::Look& ALook) {
  if (ALook.shape != Qt::BitmapCursor)
    return QCursor(ALook.shape);
  return QCursor(QPixmap::fromImage(ALook.picture), ALook.hotSpot.x(), ALook.hotSpot.y());
}

} // namespace kiv::toolkit
