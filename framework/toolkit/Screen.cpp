#include "framework/toolkit/Screen.h"

#include "framework/toolkit/Application.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace kiv {

namespace {

const QScreen& PrimaryScreen() {
  Application(); // the screen is known only while the application object lives
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen)
    throw std::logic_error("TScreen: the system reports no display");
  return *screen;
}

Qt::CursorShape ShapeOf(TCursor cursor) {
  switch (cursor) {
  case crDefault:
    return Qt::ArrowCursor;
  case crHourGlass:
    return Qt::WaitCursor;
  default:
    throw std::invalid_argument("TScreen.SetCursor: no cursor numbered " + std::to_string(cursor));
  }
}

} // namespace

int TScreen::Width() const {
  return PrimaryScreen().geometry().width();
}

int TScreen::Height() const {
  return PrimaryScreen().geometry().height();
}

int TScreen::PixelsPerInch() const {
  return qRound(PrimaryScreen().logicalDotsPerInchX());
}

void TScreen::SetCursor(TCursor ACursor) {
  const Qt::CursorShape shape = ShapeOf(ACursor);
  if (FCursor != crDefault)
    QGuiApplication::restoreOverrideCursor();
  if (ACursor != crDefault)
    QGuiApplication::setOverrideCursor(QCursor(shape));
  FCursor = ACursor;
}

TPoint MouseCursorPos() {
  Application();
  const QPoint position = QCursor::pos();
  return {position.x(), position.y()};
}

bool HasWindowCaptioned(const std::string& ACaption) {
  Application();
  const QString caption = QString::fromStdString(ACaption);
  const QWidgetList windows = QApplication::topLevelWidgets();
  return std::any_of(windows.begin(), windows.end(),
                     [&](const QWidget* window) { return window->windowTitle() == caption; });
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

} // namespace kiv
