#pragma once

#include "framework/toolkit/Control.h"

#include <functional>
#include <memory>
#include <string>

namespace kiv {

// The result of a modal show: mrNone while the form is open.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;

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
  TModalResult ShowModal();
  TModalResult ModalResult() const noexcept { return FModalResult; }
  // A result other than mrNone ends a running modal show.
  void SetModalResult(TModalResult AModalResult);
  // Asks OnCloseQuery; unless it vetoes, hides the form (a modal one returns mrCancel). Closing
  // the main form terminates the application. The window manager's close comes here too.
  void Close();
  bool Active() const;
  // Makes the form the active window.
  void Activate();

  std::function<void(bool& CanClose)> OnCloseQuery;
  std::function<void()> OnActivate;
  std::function<void()> OnDeactivate;

private:
  bool HandleEvent(int type, bool& accept);

  struct Impl;
  std::unique_ptr<Impl> FImpl;
  TModalResult FModalResult = mrNone;
};

} // namespace kiv
