#include "framework/toolkit/Menus.h"

#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/MenuParts.h"

#include <algorithm>
#include <stdexcept>

namespace kiv {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FAction(std::make_unique<Action>()) {
  QObject::connect(&FAction->action, &QAction::triggered, &FAction->action,
                   toolkit::Guarded([this] { Click(); }));
}

TMenuItem::~TMenuItem() = default;

std::string TMenuItem::Caption() const {
  return FAction->action.text().toStdString();
}

void TMenuItem::SetCaption(const std::string& ACaption) {
  FAction->action.setText(QString::fromStdString(ACaption));
}

bool TMenuItem::Enabled() const {
  return FAction->action.isEnabled();
}
void TMenuItem::SetEnabled(bool AEnabled) {
  FAction->action.setEnabled(AEnabled);
}
bool TMenuItem::Checked() const {
  return FAction->action.isChecked();
}

void TMenuItem::SetChecked(bool AChecked) {
  FAction->action.setCheckable(true);
  FAction->action.setChecked(AChecked);
}

void TMenuItem::Click() {
  if (OnClick)
    OnClick();
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), FMenu(std::make_unique<Menu>()) {}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Add(TMenuItem& AItem) {
  FItems.push_back(&AItem);
  AItem.FreeNotification(*this);
  FMenu->menu.addAction(&AItem.QtAction().action);
}

TMenuItem& TPopupMenu::Items(int AIndex) const {
  toolkit::CheckIndex("TPopupMenu.Items", AIndex, Count());
  return *FItems[static_cast<std::size_t>(AIndex)];
}

void TPopupMenu::Popup(int AX, int AY) {
  FMenu->menu.exec(QPoint(AX, AY));
}

void TPopupMenu::Notification(TComponent& AComponent, TOperation AOperation) {
  // A freed item's action leaves the menu by itself; the list forgets it here.
  if (AOperation == TOperation::opRemove)
    FItems.erase(std::remove(FItems.begin(), FItems.end(), &AComponent), FItems.end());
}

} // namespace kiv
