#include "framework/toolkit/detail/EventHook.h"

#include "framework/toolkit/detail/HandlerBoundary.h"

namespace kiv::toolkit {

EventHook::EventHook(QObject& AWatched, Handler AHandler) : FHandler(std::move(AHandler)) {
  AWatched.installEventFilter(this);
}

bool EventHook::eventFilter(QObject*, QEvent* event) {
  try {
    return FHandler(*event);
  } catch (...) {
    HandOnCurrentFailure();
    return false;
  }
}

} // namespace kiv::toolkit
