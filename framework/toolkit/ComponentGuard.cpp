#include "framework/toolkit/ComponentGuard.h"

namespace kiv {

TComponentGuard::TComponentGuard(TComponent* AComponent) : TComponent(nullptr) {
  Reset(AComponent);
}

TComponentGuard::~TComponentGuard() {
  Reset(nullptr);
}

void TComponentGuard::Reset(TComponent* AComponent) {
  if (AComponent == FTarget)
    return;
  if (FTarget)
    RemoveFreeNotification(*FTarget);
  FTarget = AComponent;
  if (FTarget)
    FreeNotification(*FTarget);
}

void TComponentGuard::Notification(TComponent& AComponent, TOperation AOperation) {
  if (AOperation == TOperation::opRemove && &AComponent == FTarget)
    FTarget = nullptr;
}

} // namespace kiv
