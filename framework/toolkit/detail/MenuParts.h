#pragma once

// Toolkit internals on Qt: the Qt side of actions and popup menus.

#include "framework/toolkit/Menus.h"

#include <QAction>
#include <QMenu>

struct kiv::TMenuItem::Action {
  QAction action;
};

struct kiv::TPopupMenu::Menu {
  QMenu menu;
};
