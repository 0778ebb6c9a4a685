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
  // The framework's process-wide objects, the aggregate TMy and the form list KivFormList, are
  // created here, in that order, once the framework library holds them.
  running = true;
}

TDesktopStartup::~TDesktopStartup() {
  // They are freed here in the reverse order; what they released through Qt's deferred
  // deletion goes now, while the application object is still there.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  FApplication.ProcessMessages();
  running = false;
}

bool TDesktopStartup::Running() noexcept {
  return running;
}

} // namespace kiv
