#include "framework/toolkit/Component.h"

#include "core/ClassNames.h"
#include "framework/toolkit/detail/IndexCheck.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <stdexcept>

namespace kiv {

TComponent::TComponent(TComponent* AOwner) : FOwner(AOwner) {
  if (FOwner) {
    FOwner->FComponents.push_back(this);
    FOwner->Notification(*this, TOperation::opInsert);
  }
}

TComponent::~TComponent() {
  while (!FFreeNotifies.empty()) {
    TComponent& watcher = *FFreeNotifies.back();
    FFreeNotifies.pop_back();
    Unlink(watcher.FFreeNotifies, *this);
    watcher.Notification(*this, TOperation::opRemove);
  }
  DestroyComponents();
  if (FOwner) {
    Unlink(FOwner->FComponents, *this);
    FOwner->Notification(*this, TOperation::opRemove);
  }
}

int TComponent::ComponentCount() const noexcept {
  return static_cast<int>(FComponents.size());
}

TComponent& TComponent::Components(int AIndex) const {
  toolkit::CheckIndex("TComponent.Components", AIndex, ComponentCount());
  return *FComponents[static_cast<std::size_t>(AIndex)];
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
  const std::string wanted = platform::AsciiUpperCase(AName);
  for (TComponent* component : FComponents)
    if (!component->FName.empty() && platform::AsciiUpperCase(component->FName) == wanted)
      return component;
  return nullptr;
}

void TComponent::FreeNotification(TComponent& AComponent) {
  if (&AComponent == this ||
      std::find(FFreeNotifies.begin(), FFreeNotifies.end(), &AComponent) != FFreeNotifies.end())
    return;
  FFreeNotifies.push_back(&AComponent);
  AComponent.FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent& AComponent) {
  Unlink(FFreeNotifies, AComponent);
  Unlink(AComponent.FFreeNotifies, *this);
}

std::string TComponent::ClassName() const {
  return BareClassName(typeid(*this));
}

void TComponent::Notification(TComponent&, TOperation) {}

void TComponent::DestroyComponents() noexcept {
  while (!FComponents.empty())
    delete FComponents.back(); // its destructor unlinks it from this list
}

void TComponent::Unlink(std::vector<TComponent*>& list, const TComponent& component) noexcept {
  const auto found = std::find(list.begin(), list.end(), &component);
  if (found != list.end())
    list.erase(found);
}

} // namespace kiv
