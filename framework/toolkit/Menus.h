#pragma once

#include "framework/toolkit/Component.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kiv {

// One entry of a menu. Its owner frees it; a freed item leaves every menu it was in.
class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  std::string Caption() const;
  void SetCaption(const std::string& ACaption);
  bool Enabled() const;
  void SetEnabled(bool AEnabled);
  bool Checked() const;
  void SetChecked(bool AChecked);
  // What choosing the item does.
  void Click();

  std::function<void()> OnClick;

  // The Qt side, complete only where Qt may be included.
  struct Action;
  Action& QtAction() const noexcept { return *FAction; }

private:
  std::unique_ptr<Action> FAction;
};

// A menu that pops up where it is asked to, holding items in the order added.
class TPopupMenu : public TComponent {
public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  void Add(TMenuItem& AItem);
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TMenuItem& Items(int AIndex) const;
  // Shows the menu with its top-left corner at AX, AY on the screen until an item is chosen or
  // the menu is dismissed.
  void Popup(int AX, int AY);

  struct Menu;
  Menu& QtMenu() const noexcept { return *FMenu; }

protected:
  void Notification(TComponent& AComponent, TOperation AOperation) override;

private:
  std::unique_ptr<Menu> FMenu;
  std::vector<TMenuItem*> FItems;
};

} // namespace kiv
