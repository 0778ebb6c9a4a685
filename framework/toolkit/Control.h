#pragma once

// Toolkit: the control (TControl, TWinControl), with parent, bounds, alignment and states.

#include "framework/toolkit/Component.h"

#include <memory>
#include <vector>

namespace kiv {

class TWinControl;

// A colour as 0x00BBGGRR.
using TColor = int;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

// The edge of its parent's client area that a control sticks to; alClient fills what is left.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A component with a window of its own, placed on a parent (where it is shown). Owner and parent
// stay apart: the owner frees the control, the parent only shows it.
class TControl : public TComponent {
public:
  // The toolkit's window behind the control; defined where the toolkit meets Qt.
  struct Widget;

  ~TControl() override;

  TWinControl* Parent() const noexcept { return FParent; }
  // Places the control on AParent (null: on nothing; the control is then not shown).
  void SetParent(TWinControl* AParent);

  // Position in the parent's client area (a form: on the screen, with its frame) and outer size.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int ALeft);
  void SetTop(int ATop);
  void SetWidth(int AWidth);
  void SetHeight(int AHeight);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  // The inner size, without frame.
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int AWidth);
  void SetClientHeight(int AHeight);

  virtual bool Visible() const;
  virtual void SetVisible(bool AVisible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const;
  void SetEnabled(bool AEnabled);

  // The background: of a form or panel its area, of a list or edit box the field of its text.
  TColor Color() const;
  void SetColor(TColor AColor);

  // Gives the control the keyboard focus (once its window shows).
  void SetFocus();
  bool Focused() const;

  TAlign Align() const noexcept { return FAlign; }
  void SetAlign(TAlign AAlign);

  // While painting is held the control takes new values at once, and its getters give them, but
  // it repaints only once painting resumes: for a control that changes far more often than the
  // eye can follow. A label keeps its caption, and a bar its position, to itself meanwhile, as
  // handing them to the window is what costs.
  bool PaintingHeld() const noexcept { return FPaintingHeld; }
  void HoldPainting();
  void ResumePainting();

  // The Qt side, complete only where Qt may be included (framework/toolkit/detail/Widget.h).
  Widget& Window() const noexcept { return *FWidget; }

protected:
  TControl(TComponent* AOwner, std::unique_ptr<Widget> AWidget);
  // Hands the window what the control kept while painting was held.
  virtual void WriteKeptValues() {}

private:
  void Resized();
  void RealignParent();

  std::unique_ptr<Widget> FWidget;
  TWinControl* FParent = nullptr;
  TAlign FAlign = TAlign::alNone;
  bool FVisible = true;
  bool FPaintingHeld = false;
};

// A control that holds other controls: their parent. Destroying it frees the controls it owns and
// detaches, never destroys, the ones it only shows.
class TWinControl : public TControl {
public:
  ~TWinControl() override;

  // The controls placed on this one, in the order they were placed.
  int ControlCount() const noexcept { return static_cast<int>(FControls.size()); }
  TControl& Controls(int AIndex) const;

  // Lays the aligned controls out again over the client area.
  virtual void Realign();

protected:
  TWinControl(TComponent* AOwner, std::unique_ptr<Widget> AWidget);

private:
  friend class TControl;
  void InsertControl(TControl& control);
  void RemoveControl(TControl& control) noexcept;

  std::vector<TControl*> FControls;
  struct ResizeHook;
  std::unique_ptr<ResizeHook> FResizeHook;
};

} // namespace kiv
