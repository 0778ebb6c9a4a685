#pragma once

// Toolkit: a list of components that drops those destroyed elsewhere (TComponentList).

#include "framework/toolkit/Component.h"

#include <memory>

namespace kiv {

// Components in the order they were added. An entry destroyed elsewhere leaves the list at once
// (free notification), so the list never holds a destroyed component; an owning list destroys
// the entries still in it when it goes.
class TComponentList {
public:
  explicit TComponentList(bool AOwnsObjects = true);
  ~TComponentList();
  TComponentList(const TComponentList&) = delete;
  TComponentList& operator=(const TComponentList&) = delete;

  int Count() const noexcept;
  // The entry at AIndex; throws std::out_of_range outside 0 .. Count - 1.
  TComponent& Items(int AIndex) const;
  void Add(TComponent& AComponent);
  // The position of AComponent, or -1.
  int IndexOf(const TComponent& AComponent) const noexcept;

private:
  struct Watcher;
  std::unique_ptr<Watcher> FWatcher;
  bool FOwnsObjects;
};

} // namespace kiv
