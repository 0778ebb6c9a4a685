#pragma once

// Toolkit internals on Qt: the Qt side of menu items, popup menus and menu bars.

#include "framework/toolkit/Menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <memory>

// The submenu, made when the first item is added to it, goes after the action that opens it.
struct kiv::TMenuItem::Action {
  std::unique_ptr<QMenu> submenu;
  QAction action;
};

struct kiv::TPopupMenu::Menu {
  QMenu menu;
};

// The bar lives on the form that shows it; guarded, as a control's widget is, so that it is never
// deleted twice.
struct kiv::TMainMenu::Bar {
  Bar();
  ~Bar() { delete bar.data(); }
  Bar(const Bar&) = delete;
  Bar& operator=(const Bar&) = delete;

  QPointer<QMenuBar> bar;
};
