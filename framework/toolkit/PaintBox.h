#pragma once

// Toolkit: the paint box (TPaintBox), an area its program draws, with the mouse over it.

#include "framework/toolkit/Canvas.h"
#include "framework/toolkit/Control.h"
#include "framework/toolkit/Form.h"

#include <functional>
#include <memory>

namespace kiv {

namespace toolkit {
class EventHook;
}

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// An area that OnPaint draws whenever it shows anew. Mouse coordinates are in the paint box.
class TPaintBox : public TControl {
public:
  explicit TPaintBox(TComponent* AOwner);
  ~TPaintBox() override;

  // Paints the whole client area; the canvas is as large as it, and starts each painting with the
  // default pen, brush and font and no clip.
  std::function<void(TCanvas& ACanvas)> OnPaint;
  // Repaints soon: once, however often called before.
  void Invalidate();
  // Runs OnPaint on the bitmap's canvas, started as for a painting on the screen.
  void PaintTo(TBitmap& ABitmap);

  // Shift holds the buttons held after the press or release besides the modifier keys.
  std::function<void(TMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseDown;
  std::function<void(TMouseButton Button, TShiftState Shift, int X, int Y)> OnMouseUp;
  // Also with no button held.
  std::function<void(TShiftState Shift, int X, int Y)> OnMouseMove;
  // WheelDelta: 120 per notch, positive away from the user.
  std::function<void(TShiftState Shift, int WheelDelta, int X, int Y)> OnMouseWheel;

private:
  TCanvas FCanvas;
  std::unique_ptr<toolkit::EventHook> FHook;
};

} // namespace kiv
