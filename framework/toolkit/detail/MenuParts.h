#pragma once

#include "framework/toolkit/Menus.h"

#include <QAction>
#include <QMenu>

struct kiv::TMenuItem::Action {
  QAction action;
};

struct kiv::TPopupMenu::Menu {
  QMenu menu;
};
