#include "framework/toolkit/Application.h"

#include "core/ClassNames.h"
#include "core/Exceptions.h"
#include "core/RunningProgram.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/detail/EventHook.h"
#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/MessageBox.h"

#include <QApplication>
#include <cstdio>
#include <stdexcept>

namespace kiv {

namespace {

TApplication* current = nullptr;

} // namespace

struct TApplication::Impl {
  Impl(int& argc, char** argv, bool& terminated)
      : application(argc, argv), quitHook(application, [&terminated](QEvent& event) {
          if (event.type() == QEvent::Quit)
            terminated = true;
          return false;
        }) {}

  QApplication application;
  toolkit::EventHook quitHook;
};

TApplication::TApplication(int& argc, char** argv) : TComponent(nullptr) {
  if (current)
    throw std::logic_error("TApplication: a program has one application object");
  FImpl = std::make_unique<Impl>(argc, argv, FTerminated);
  // The main form ends the program (Delphi's rule), not the last window that happens to close.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&FImpl->application, &QCoreApplication::aboutToQuit,
                   [this] { FTerminated = true; });
  current = this;
}

TApplication::~TApplication() {
  // The forms go while Qt is still there.
  DestroyComponents();
  current = nullptr;
}

void TApplication::SetMainForm(TForm* AForm) {
  if (FMainForm)
    FMainForm->RemoveFreeNotification(*this);
  FMainForm = AForm;
  if (FMainForm)
    FMainForm->FreeNotification(*this);
}

std::string TApplication::ExeName() const {
  return RunningProgramPath();
}

std::string TApplication::Title() const {
  return QCoreApplication::applicationName().toStdString();
}

void TApplication::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleMessage() {
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

bool TApplication::Terminated() const noexcept {
  return FTerminated;
}

void TApplication::Terminate() {
  FTerminated = true;
  QCoreApplication::exit(0);
}

int TApplication::Run() {
  if (FMainForm)
    FMainForm->Show();
  return FTerminated ? 0 : QApplication::exec();
}

void TApplication::HandleException(std::exception_ptr AFailure) noexcept {
  try {
    if (OnException)
      OnException(AFailure);
    else
      ShowException(AFailure);
  } catch (...) {
    // The handler itself failed: show that failure; if even the box cannot be shown, the error
    // stream is all that is left.
    try {
      ShowException(std::current_exception());
    } catch (...) {
      std::fputs("TApplication.HandleException: the exception box could not be shown\n", stderr);
    }
  }
}

void TApplication::ShowException(std::exception_ptr AFailure) {
  toolkit::MakeExceptionBox(AFailure)->exec();
}

void TApplication::Notification(TComponent& AComponent, TOperation AOperation) {
  if (AOperation == TOperation::opRemove && &AComponent == static_cast<TComponent*>(FMainForm))
    FMainForm = nullptr;
}

TApplication& Application() {
  if (!current)
    throw std::logic_error("Application: there is no application object");
  return *current;
}

std::string ExceptionBoxText(const std::exception_ptr& AFailure) {
  std::string className;
  std::string message;
  try {
    std::rethrow_exception(AFailure);
  } catch (const Exception& e) {
    className = e.ClassName();
    message = e.Message();
  } catch (const std::exception& e) {
    className = ExceptionClassName(e);
    message = e.what();
  } catch (...) {
    className = "unknown exception";
  }
  return className + " with message: \n" + message;
}

namespace toolkit {

void HandOnCurrentFailure() noexcept {
  if (current)
    current->HandleException(std::current_exception());
  else
    std::fputs("A handler failed with no application object to report to\n", stderr);
}

} // namespace toolkit

} // namespace kiv
