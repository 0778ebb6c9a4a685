#include "framework/toolkit/DesktopStartup.h"

#include "framework/toolkit/Application.h"

#include <QCoreApplication>
#include <stdexcept>

namespace kiv {

namespace {

bool running = false;

} // namespace

TDesktopStartup::TDesktopStartup(TApplication& AApplication) : FApplication(AApplication) {
  if (running)
    throw std::logic_error("TDesktopStartup: a program has one start-up object");
  // The framework's process-wide objects come after this object: the framework's start-up step
  // (framework/desktop/FrameworkStartup.h) holds it and makes them once it is there.
  running = true;
}

TDesktopStartup::~TDesktopStartup() {
  // The framework's start-up step has freed its objects by now; what they released through Qt's
  // deferred deletion goes here, while the application object is still there.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  FApplication.ProcessMessages();
  running = false;
}

bool TDesktopStartup::Running() noexcept {
  return running;
}

} // namespace kiv
