#include "framework/toolkit/Screen.h"

#include "framework/toolkit/Application.h"
#include "framework/toolkit/detail/CursorLook.h"
#include "framework/toolkit/detail/Widget.h"

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

// The platform's cursors: the toolkit's numbers and Qt's shapes.
struct StandardCursor {
  TCursor number;
  Qt::CursorShape shape;
};
constexpr StandardCursor kStandardCursors[] = {
    {crDefault, Qt::ArrowCursor},
    {crNone, Qt::BlankCursor},
    {crArrow, Qt::ArrowCursor},
    {crCross, Qt::CrossCursor},
    {crIBeam, Qt::IBeamCursor},
    {crSizeNESW, Qt::SizeBDiagCursor},
    {crSizeNS, Qt::SizeVerCursor},
    {crSizeNWSE, Qt::SizeFDiagCursor},
    {crSizeWE, Qt::SizeHorCursor},
    {crUpArrow, Qt::UpArrowCursor},
    {crHourGlass, Qt::WaitCursor},
    {crDrag, Qt::DragMoveCursor},
    {crNoDrop, Qt::ForbiddenCursor},
    {crHSplit, Qt::SplitHCursor},
    {crVSplit, Qt::SplitVCursor},
    {crMultiDrag, Qt::DragCopyCursor},
    {crSQLWait, Qt::WaitCursor},
    {crNo, Qt::ForbiddenCursor},
    {crAppStart, Qt::BusyCursor},
    {crHelp, Qt::WhatsThisCursor},
    {crHandPoint, Qt::PointingHandCursor},
    {crSizeAll, Qt::SizeAllCursor},
};

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

TCursorImage LoadCursorFromFile(const std::string& AFileName, TPoint AHotSpot) {
  QImage picture(toolkit::ToQt(AFileName));
  if (picture.isNull())
    throw std::runtime_error("LoadCursorFromFile: " + AFileName + " is no picture");
  return TCursorImage(std::make_shared<const TCursorImage::Look>(
      TCursorImage::Look{Qt::BitmapCursor, std::move(picture), QPoint(AHotSpot.X, AHotSpot.Y)}));
}

TScreen::TScreen() {
  for (const StandardCursor& cursor : kStandardCursors)
    FCursors.emplace(cursor.number, TCursorImage(std::make_shared<const TCursorImage::Look>(
                                        TCursorImage::Look{cursor.shape, {}, {}})));
}

const TCursorImage& TScreen::Find(TCursor AIndex, const char* ARoutine) const {
  const auto entry = FCursors.find(AIndex);
  if (entry == FCursors.end())
    throw std::invalid_argument(std::string(ARoutine) + ": no cursor numbered " +
                                std::to_string(AIndex));
  return entry->second;
}

void TScreen::SetCursor(TCursor ACursor) {
  const QCursor cursor = toolkit::ToQCursor(Find(ACursor, "TScreen.SetCursor").Image());
  if (FCursor != crDefault)
    QGuiApplication::restoreOverrideCursor();
  if (ACursor != crDefault)
    QGuiApplication::setOverrideCursor(cursor);
  FCursor = ACursor;
}

TCursorImage TScreen::Cursors(TCursor AIndex) const {
  return Find(AIndex, "TScreen.Cursors");
}

void TScreen::SetCursors(TCursor AIndex, const TCursorImage& ACursor) {
  FCursors.insert_or_assign(AIndex, ACursor);
  if (AIndex == FCursor && FCursor != crDefault)
    QGuiApplication::changeOverrideCursor(toolkit::ToQCursor(ACursor.Image()));
}

TPoint MouseCursorPos() {
  Application();
  const QPoint position = QCursor::pos();
  return {position.x(), position.y()};
}

bool HasWindowCaptioned(const std::string& ACaption) {
  Application();
  const QString caption = toolkit::ToQt(ACaption);
  const QWidgetList windows = QApplication::topLevelWidgets();
  return std::any_of(windows.begin(), windows.end(),
                     [&](const QWidget* window) { return window->windowTitle() == caption; });
}

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

TScreenCursorGuard::TScreenCursorGuard(TCursor ABusy)
    : TScreenCursorGuard(ABusy, Screen().Cursor()) {}

TScreenCursorGuard::TScreenCursorGuard(TCursor ABusy, TCursor AAfter) : FAfter(AAfter) {
  Screen().SetCursor(ABusy);
}

TScreenCursorGuard::~TScreenCursorGuard() {
  // The cursor to go back to is one the table had; a failure now must not end the program.
  try {
    Screen().SetCursor(FAfter);
  } catch (...) {
  }
}

} // namespace kiv
