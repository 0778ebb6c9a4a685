#pragma once

// Toolkit: the screen (TScreen): size, pixel density, cursors and the mouse.

#include "framework/toolkit/Geometry.h"

#include <map>
#include <memory>
#include <string>

namespace kiv {

// A screen cursor's number in the screen's table of cursors. The platform's own cursors have the
// numbers below; a program adds its own under numbers of its choosing.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crNone = -1;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crCross = -3;
inline constexpr TCursor crIBeam = -4;
inline constexpr TCursor crSizeNESW = -6;
inline constexpr TCursor crSizeNS = -7;
inline constexpr TCursor crSizeNWSE = -8;
inline constexpr TCursor crSizeWE = -9;
inline constexpr TCursor crUpArrow = -10;
inline constexpr TCursor crHourGlass = -11;
inline constexpr TCursor crDrag = -12;
inline constexpr TCursor crNoDrop = -13;
inline constexpr TCursor crHSplit = -14;
inline constexpr TCursor crVSplit = -15;
inline constexpr TCursor crMultiDrag = -16;
inline constexpr TCursor crSQLWait = -17;
inline constexpr TCursor crNo = -18;
inline constexpr TCursor crAppStart = -19;
inline constexpr TCursor crHelp = -20;
inline constexpr TCursor crHandPoint = -21;
inline constexpr TCursor crSizeAll = -22;

// What a cursor looks like: one of the platform's shapes, or a picture of the program's own with
// its hot spot. Copies share the look.
class TCursorImage {
public:
  // The look in the platform's terms; defined where the toolkit meets Qt.
  struct Look;
  explicit TCursorImage(std::shared_ptr<const Look> ALook) : FLook(std::move(ALook)) {}
  const Look& Image() const noexcept { return *FLook; }

private:
  std::shared_ptr<const Look> FLook;
};

// A cursor from a picture file (any image format the platform reads) whose pixel AHotSpot is the
// point the cursor points with; std::runtime_error when the file cannot be read as a picture.
TCursorImage LoadCursorFromFile(const std::string& AFileName, TPoint AHotSpot);

// The primary display, the program's screen cursor and the table of cursors by number. Needs the
// application object.
class TScreen {
public:
  // The table holds the platform's cursors under their numbers.
  TScreen();

  int Width() const;
  int Height() const;
  // Horizontal logical pixels per inch of the primary display, as a form reports it.
  int PixelsPerInch() const;
  TCursor Cursor() const noexcept { return FCursor; }
  // Shows the table's cursor ACursor over every window of the program until another is set
  // (crDefault: each window's own).
  void SetCursor(TCursor ACursor);
  // The table's cursor numbered AIndex.
  TCursorImage Cursors(TCursor AIndex) const;
  // Puts ACursor in the table under AIndex, in place of what was there; shown at once when it is
  // the screen cursor. crDefault stays each window's own cursor.
  void SetCursors(TCursor AIndex, const TCursorImage& ACursor);

private:
  const TCursorImage& Find(TCursor AIndex, const char* ARoutine) const;

  std::map<TCursor, TCursorImage> FCursors;
  TCursor FCursor = crDefault;
};

// Where the mouse pointer is on the screen.
TPoint MouseCursorPos();

// Whether one of the program's top-level windows, shown or not, has the caption ACaption.
bool HasWindowCaptioned(const std::string& ACaption);

// The program's one screen object.
TScreen& Screen();

// Shows a busy cursor on the screen while it lives; when it goes, the screen shows AAfter, or the
// cursor that was there before when none is given, also when a failure ends the scope.
class TScreenCursorGuard {
public:
  explicit TScreenCursorGuard(TCursor ABusy = crHourGlass);
  TScreenCursorGuard(TCursor ABusy, TCursor AAfter);
  ~TScreenCursorGuard();
  TScreenCursorGuard(const TScreenCursorGuard&) = delete;
  TScreenCursorGuard& operator=(const TScreenCursorGuard&) = delete;

private:
  TCursor FAfter;
};

} // namespace kiv
