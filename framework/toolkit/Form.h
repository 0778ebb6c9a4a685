#pragma once

// Toolkit: the form (TForm), with its modal show, placement, styles and states.

#include "framework/toolkit/Control.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kiv {

class TMainMenu;

// The result of a modal show: mrNone while the form is open.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;

// The frame of a form: sizeable or not, a dialog's or a tool window's, or none at all.
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
// The buttons of the frame's title bar: a set of these bits; none at all is 0.
using TBorderIcons = unsigned;
inline constexpr TBorderIcons biSystemMenu = 1;
inline constexpr TBorderIcons biMinimize = 2;
inline constexpr TBorderIcons biMaximize = 4;
// Where a form appears when shown: where it was placed, or centred on the screen. The default
// modes leave the place to the platform; the toolkit shows such a form where it was placed.
enum class TPosition { poDesigned, poScreenCenter, poDefault, poDefaultPosOnly, poDefaultSizeOnly };
// The monitor that a form centred on the screen appears on: the primary one, or the one showing
// the application's main form (the primary one while there is no main form).
enum class TDefaultMonitor { dmPrimary, dmMainForm };
// A multiple-document child or parent is kept for the saved placement and shown as a normal form.
enum class TFormStyle { fsNormal, fsStayOnTop, fsMDIChild, fsMDIForm };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// How a form is dragged and docked, and how it pops up over others: kept for the saved placement;
// the toolkit does not act on them.
enum class TDragMode { dmManual, dmAutomatic };
enum class TDragKind { dkDrag, dkDock };
enum class TPopupMode { pmNone, pmAuto, pmExplicit };

// The modifier keys, and with the mouse the buttons, held with a key press or a mouse event: a
// set of these bits.
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;
inline constexpr TShiftState ssLeft = 8;
inline constexpr TShiftState ssRight = 16;
inline constexpr TShiftState ssMiddle = 32;
// The platform's virtual key codes that the framework names.
inline constexpr std::uint16_t VK_F1 = 112;

// What a form is in the middle of: a set of these bits. fsModal marks a modal show, also one that
// a derived form runs itself.
using TFormState = unsigned;
inline constexpr TFormState fsModal = 1;

// A top-level window. Its owner (the application, another form or a framework object) frees it;
// closing only hides it.
class TForm : public TWinControl {
public:
  explicit TForm(TComponent* AOwner);
  ~TForm() override;

  std::string Caption() const;
  void SetCaption(const std::string& ACaption);

  bool Visible() const override;
  void SetVisible(bool AVisible) override;
  // Shows the form modally and handles messages until its modal result is set or it is closed
  // or hidden (then mrCancel); returns the result.
  virtual TModalResult ShowModal();
  TModalResult ModalResult() const noexcept { return FModalResult; }
  // A result other than mrNone ends a running modal show.
  void SetModalResult(TModalResult AModalResult);
  // Asks OnCloseQuery; unless it vetoes, hides the form (a modal one returns mrCancel). Closing
  // the main form terminates the application. The window manager's close comes here too. A form
  // marked fsModal by its own show only gets the modal result mrCancel: its show decides.
  void Close();
  // Whether the form may close: OnCloseQuery's answer, true without one.
  virtual bool CloseQuery();
  // The end of a show that marked the form fsModal: a veto of CloseQuery (or a failure in it,
  // which is handed to the application) sets the modal result back to mrNone.
  void CloseModal();
  TFormState FormState() const noexcept { return FFormState; }
  void SetFormState(TFormState AFormState) noexcept { FFormState = AFormState; }
  // Tell the form that it became, or stopped being, the window the user works in: OnActivate,
  // OnDeactivate.
  void NotifyActivate();
  void NotifyDeactivate();
  TFormBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle ABorderStyle);
  TBorderIcons BorderIcons() const noexcept { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons ABorderIcons);
  TFormStyle FormStyle() const noexcept { return FFormStyle; }
  void SetFormStyle(TFormStyle AFormStyle);
  TPosition Position() const noexcept { return FPosition; }
  void SetPosition(TPosition APosition) noexcept { FPosition = APosition; }
  TDefaultMonitor DefaultMonitor() const noexcept { return FDefaultMonitor; }
  void SetDefaultMonitor(TDefaultMonitor ADefaultMonitor) noexcept {
    FDefaultMonitor = ADefaultMonitor;
  }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState AWindowState);
  // Horizontal logical pixels per inch of the screen the form is on.
  int PixelsPerInch() const;

  // The menu bar across the top of the form (null: none). The client area, where ClientHeight,
  // the aligned controls and the controls' Top count from, lies below it. The form does not own
  // the menu; a freed menu leaves the form.
  TMainMenu* Menu() const noexcept { return FMenu; }
  void SetMenu(TMainMenu* AMenu);
  // Whether files dragged onto the form are taken (on to start with): only while OnDropFiles is
  // set, and only local files; a drag carrying anything else is refused.
  bool AcceptFiles() const;
  void SetAcceptFiles(bool AAccept);

  bool Active() const;
  // Makes the form the active window.
  void Activate();
  // Hides the form at once and frees it once the event being handled is done: a form whose own
  // handler is still running must not be freed under it.
  void Release();

  // Stored only: what a docking layout would use, saved and restored with the form's placement.
  int UndockWidth = 0;
  int UndockHeight = 0;
  int LRDockWidth = 0;
  int TBDockHeight = 0;
  std::string HostDockSiteName;
  TDragMode DragMode = TDragMode::dmManual;
  TDragKind DragKind = TDragKind::dkDrag;
  TPopupMode PopupMode = TPopupMode::pmNone;
  // The form sees every key press in it before the control with the focus does; without it only
  // those sent to the form itself.
  bool KeyPreview = false;

  // Once the form's window shows, before it is placed: its frame is known from here on.
  std::function<void()> OnShow;

  // A key press that the form sees, as a virtual key code: OnKeyDown. Setting Key to 0 keeps the
  // key from the control with the focus.
  virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);

  std::function<void(bool& CanClose)> OnCloseQuery;
  std::function<void()> OnActivate;
  std::function<void()> OnDeactivate;
  std::function<void(std::uint16_t& Key, TShiftState Shift)> OnKeyDown;
  // Files dropped onto the form: their full paths in UTF-8, in the platform's form.
  std::function<void(const std::vector<std::string>& AFileNames)> OnDropFiles;

protected:
  void Notification(TComponent& AComponent, TOperation AOperation) override;

private:
  bool HandleEvent(int type, bool& accept);
  bool HandleKey(int key);
  void ShowWindow();
  void ApplyWindowFlags();

  struct Impl;
  std::unique_ptr<Impl> FImpl;
  TMainMenu* FMenu = nullptr;
  TModalResult FModalResult = mrNone;
  TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
  TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
  TFormStyle FFormStyle = TFormStyle::fsNormal;
  TPosition FPosition = TPosition::poDesigned;
  TDefaultMonitor FDefaultMonitor = TDefaultMonitor::dmPrimary;
  TFormState FFormState = 0;
};

} // namespace kiv
