#pragma once

#include <string>

namespace kiv {

// The screen cursors the framework shows, by the toolkit's numbers.
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crHourGlass = -11;

// The primary display and the program's screen cursor. Needs the application object.
class TScreen {
public:
  int Width() const;
  int Height() const;
  // Horizontal logical pixels per inch of the primary display, as a form reports it.
  int PixelsPerInch() const;
  TCursor Cursor() const noexcept { return FCursor; }
  // Shows ACursor over every window of the program until another is set (crDefault: each
  // window's own).
  void SetCursor(TCursor ACursor);

private:
  TCursor FCursor = crDefault;
};

// A point on the screen in pixels.
struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

// Where the mouse pointer is on the screen.
TPoint MouseCursorPos();

// Whether one of the program's top-level windows, shown or not, has the caption ACaption.
bool HasWindowCaptioned(const std::string& ACaption);

// The program's one screen object.
TScreen& Screen();

} // namespace kiv
