#include "framework/toolkit/ComponentList.h"

#include "framework/toolkit/detail/IndexCheck.h"

#include <algorithm>
#include <vector>

namespace kiv {

// Told by every entry when it goes.
struct TComponentList::Watcher final : TComponent {
  Watcher() : TComponent(nullptr) {}

  void Notification(TComponent& AComponent, TOperation AOperation) override {
    if (AOperation == TOperation::opRemove)
      std::erase(entries, &AComponent);
  }

  std::vector<TComponent*> entries;
};

TComponentList::TComponentList(bool AOwnsObjects)
    : FWatcher(std::make_unique<Watcher>()), FOwnsObjects(AOwnsObjects) {}

TComponentList::~TComponentList() {
  // Each destroyed entry drops out by its free notification; one may destroy others on its way.
  if (FOwnsObjects)
    while (!FWatcher->entries.empty())
      delete FWatcher->entries.back();
}

int TComponentList::Count() const noexcept {
  return static_cast<int>(FWatcher->entries.size());
}

TComponent& TComponentList::Items(int AIndex) const {
  toolkit::CheckIndex("TComponentList.Items", AIndex, Count());
  return *FWatcher->entries[static_cast<std::size_t>(AIndex)];
}

void TComponentList::Add(TComponent& AComponent) {
  FWatcher->entries.push_back(&AComponent);
  AComponent.FreeNotification(*FWatcher);
}

int TComponentList::IndexOf(const TComponent& AComponent) const noexcept {
  const auto& entries = FWatcher->entries;
  const auto found = std::find(entries.begin(), entries.end(), &AComponent);
  return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

} // namespace kiv
