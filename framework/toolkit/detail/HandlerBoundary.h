#pragma once

// Toolkit internals: the boundary where a failure in a Qt handler goes to the exception handler.

#include <utility>

namespace kiv::toolkit {

// Hands the failure now being handled to the application's exception handler. Called only from
// a catch block.
void HandOnCurrentFailure() noexcept;

// The handler wrapped so that no exception leaves it: Qt calls it from its event loop, which an
// exception must never cross. A failure goes to the application's exception handler and the
// program goes on.
template <class Handler> auto Guarded(Handler handler) {
  return [handler = std::move(handler)]() noexcept {
    try {
      handler();
    } catch (...) {
      HandOnCurrentFailure();
    }
  };
}

} // namespace kiv::toolkit
