#pragma once

#include "framework/toolkit/Component.h"

namespace kiv {

// Points at a component until that component goes, then at nothing: how code outside the
// toolkit holds a window that a window event may free (its owner's destruction, a handler).
class TComponentGuard final : private TComponent {
public:
  explicit TComponentGuard(TComponent* AComponent = nullptr);
  ~TComponentGuard() override;

  void Reset(TComponent* AComponent);
  TComponent* Get() const noexcept { return FTarget; }
  explicit operator bool() const noexcept { return FTarget != nullptr; }
  // The component as the class it was made as.
  template <class T> T* As() const noexcept { return static_cast<T*>(FTarget); }

private:
  void Notification(TComponent& AComponent, TOperation AOperation) override;

  TComponent* FTarget = nullptr;
};

} // namespace kiv
