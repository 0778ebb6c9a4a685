#pragma once

// Toolkit: actions, menu items and popup menus.

#include "framework/toolkit/Component.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kiv {

class TMenuItem;

// A command that menu items show and run: they take its caption, state and click from it.
class TAction : public TComponent {
public:
  explicit TAction(TComponent* AOwner);
  std::string Caption() const { return FCaption; }
  void SetCaption(const std::string& ACaption);
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool AEnabled);
  bool Checked() const noexcept { return FChecked; }
  void SetChecked(bool AChecked);
  // Runs OnExecute.
  void Execute();

  std::function<void()> OnExecute;

protected:
  void Notification(TComponent& AComponent, TOperation AOperation) override;

private:
  friend class TMenuItem;
  void Changed();

  std::string FCaption;
  bool FEnabled = true;
  bool FChecked = false;
  std::vector<TMenuItem*> FClients;
};

// One entry of a menu, or a submenu holding items of its own. Its owner frees it; a freed item
// leaves every menu it was in. The caption "-" makes it a separator; "&" marks the mnemonic.
class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  std::string Caption() const;
  void SetCaption(const std::string& ACaption);
  // Makes AItem an entry of this item's submenu, after those added before.
  void Add(TMenuItem& AItem);
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TMenuItem& Items(int AIndex) const;
  // The key that chooses the item while its form has the focus, as portable text: "Ctrl+O",
  // "F1", "Ctrl+Shift+S"; empty for none. Text that names no key fails.
  std::string ShortCut() const;
  void SetShortCut(const std::string& AKeys);
  bool Visible() const;
  void SetVisible(bool AVisible);
  bool Enabled() const;
  void SetEnabled(bool AEnabled);
  bool Checked() const;
  void SetChecked(bool AChecked);
  // What choosing the item does: its action's Execute when it has one, else OnClick.
  void Click();
  // Binds the item to AAction (null: to none); from then on it shows the action's caption and
  // state.
  TAction* AssignedAction() const noexcept { return FActionLink; }
  void SetAction(TAction* AAction);

  std::function<void()> OnClick;

  // The Qt side, complete only where Qt may be included.
  struct Action;
  Action& QtAction() const noexcept { return *FAction; }

protected:
  void Notification(TComponent& AComponent, TOperation AOperation) override;

private:
  friend class TAction;
  void ActionChanged();

  std::unique_ptr<Action> FAction;
  TAction* FActionLink = nullptr;
  std::vector<TMenuItem*> FItems;
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

// The menu bar of a form (TForm::SetMenu), holding its items in the order added.
class TMainMenu : public TComponent {
public:
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;

  void Add(TMenuItem& AItem);
  int Count() const noexcept { return static_cast<int>(FItems.size()); }
  TMenuItem& Items(int AIndex) const;

  struct Bar;
  Bar& QtBar() const noexcept { return *FBar; }

protected:
  void Notification(TComponent& AComponent, TOperation AOperation) override;

private:
  std::unique_ptr<Bar> FBar;
  std::vector<TMenuItem*> FItems;
};

} // namespace kiv
