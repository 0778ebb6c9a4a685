#include "framework/toolkit/ComponentGuard.h"

namespace kiv {

TComponentWatch::TComponentWatch(TComponent* AComponent) : TComponent(nullptr) {
  Reset(AComponent);
}

TComponentWatch::~TComponentWatch() {
  Reset(nullptr);
}

void TComponentWatch::Reset(TComponent* AComponent) {
  if (AComponent == FTarget)
    return;
  if (FTarget)
    RemoveFreeNotification(*FTarget);
  FTarget = AComponent;
  if (FTarget)
    FreeNotification(*FTarget);
}

void TComponentWatch::Notification(TComponent& AComponent, TOperation AOperation) {
  if (AOperation == TOperation::opRemove && &AComponent == FTarget)
    FTarget = nullptr;
}

} // namespace kiv
