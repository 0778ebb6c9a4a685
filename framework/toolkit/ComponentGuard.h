#pragma once

#include "framework/toolkit/Component.h"

namespace kiv {

// A pointer to a component that becomes null when the component is destroyed, so that code
// running after a window event (which may free any form) can tell whether its form is still
// there: the toolkit's counterpart of a guarded pointer.
template <class T> class TComponentGuard {
public:
  explicit TComponentGuard(T* AComponent) : FWatcher(AComponent) {}

  T* Get() const noexcept { return static_cast<T*>(FWatcher.target); }
  explicit operator bool() const noexcept { return FWatcher.target != nullptr; }
  T* operator->() const noexcept { return Get(); }

private:
  struct Watcher final : TComponent {
    explicit Watcher(TComponent* ATarget) : TComponent(nullptr), target(ATarget) {
      if (target)
        target->FreeNotification(*this);
    }
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;
    void Notification(TComponent& AComponent, TOperation AOperation) override {
      if (AOperation == TOperation::opRemove && &AComponent == target)
        target = nullptr;
    }
    TComponent* target;
  };
  Watcher FWatcher;
};

} // namespace kiv
