#pragma once

// Toolkit: the application object (TApplication), its message handling and exception box.

#include "framework/toolkit/Component.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace kiv {

class TForm;

// The desktop program: made first in main and gone last, one per process. It owns the forms
// created with it as owner and frees them while the toolkit is still whole.
class TApplication : public TComponent {
public:
  TApplication(int& argc, char** argv);
  ~TApplication() override;

  // The form whose closing ends the program; null when none was set or it is gone.
  TForm* MainForm() const noexcept { return FMainForm; }
  void SetMainForm(TForm* AForm);
  // The full path of the running executable; empty where the system cannot tell.
  std::string ExeName() const;
  // The program's name, the caption of its boxes.
  std::string Title() const;

  // Handles every pending window message and returns.
  void ProcessMessages();
  // Waits for window messages when there are none, then handles the pending ones.
  void HandleMessage();
  // Set by Terminate and when the program is asked to quit (by the session or the main form).
  bool Terminated() const noexcept;
  void Terminate();
  // Shows the main form and handles messages until Terminate; returns the exit code.
  int Run();

  // Replaces the exception box for failures that reach the toolkit's handlers.
  std::function<void(std::exception_ptr)> OnException;
  // Where every handler the toolkit calls hands its failure: OnException when set, else the
  // exception box. Never throws; the program goes on.
  void HandleException(std::exception_ptr AFailure) noexcept;
  // The modal error box: the failure's class name, " with message: ", a line feed, its message.
  void ShowException(std::exception_ptr AFailure);

protected:
  void Notification(TComponent& AComponent, TOperation AOperation) override;

private:
  struct Impl;
  bool FTerminated = false;
  std::unique_ptr<Impl> FImpl;
  TForm* FMainForm = nullptr;
};

// The application object; throws std::logic_error when there is none.
TApplication& Application();

// The text of the exception box for AFailure: "EPelo with message: \nNo file".
std::string ExceptionBoxText(const std::exception_ptr& AFailure);

} // namespace kiv
