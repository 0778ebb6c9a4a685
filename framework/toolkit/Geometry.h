#pragma once

// Toolkit: points and rectangles in pixels, on the screen or on a surface drawn on.

namespace kiv {

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

// Right and Bottom are outside the rectangle, as in the platform's own rectangles.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const noexcept { return Right - Left; }
  int Height() const noexcept { return Bottom - Top; }
};

} // namespace kiv
