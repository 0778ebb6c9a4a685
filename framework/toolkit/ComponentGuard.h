#pragma once

// Toolkit: guarded pointers to components that a window event may free.

#include "framework/toolkit/Component.h"

namespace kiv {

// Points at a component until that component goes, then at nothing: how code outside the toolkit
// holds a window that a window event may free (its owner's destruction, a handler).
class TComponentWatch final : private TComponent {
public:
  explicit TComponentWatch(TComponent* AComponent);
  ~TComponentWatch() override;

  void Reset(TComponent* AComponent);
  TComponent* Get() const noexcept { return FTarget; }

private:
  void Notification(TComponent& AComponent, TOperation AOperation) override;

  TComponent* FTarget = nullptr;
};

// The watch typed as the class the component was made as.
template <class T = TComponent> class TComponentGuard {
public:
  explicit TComponentGuard(T* AComponent = nullptr) : FWatch(AComponent) {}

  void Reset(T* AComponent) { FWatch.Reset(AComponent); }
  T* Get() const noexcept { return static_cast<T*>(FWatch.Get()); }
  T* operator->() const noexcept { return Get(); }
  explicit operator bool() const noexcept { return FWatch.Get() != nullptr; }

private:
  TComponentWatch FWatch;
};

} // namespace kiv
