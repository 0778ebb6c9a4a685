#include "framework/toolkit/Menus.h"

#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/MenuParts.h"
#include "framework/toolkit/detail/Widget.h"

#include <QKeySequence>
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
  FAction->action.setText(toolkit::ToQt(ACaption));
  FAction->action.setSeparator(ACaption == "-");
}

void TMenuItem::Add(TMenuItem& AItem) {
  if (!FAction->submenu) {
    FAction->submenu = std::make_unique<QMenu>();
    FAction->action.setMenu(FAction->submenu.get());
  }
  FItems.push_back(&AItem);
  AItem.FreeNotification(*this);
  FAction->submenu->addAction(&AItem.QtAction().action);
}

TMenuItem& TMenuItem::Items(int AIndex) const {
  toolkit::CheckIndex("TMenuItem.Items", AIndex, Count());
  return *FItems[static_cast<std::size_t>(AIndex)];
}

std::string TMenuItem::ShortCut() const {
  return FAction->action.shortcut().toString(QKeySequence::PortableText).toStdString();
}

void TMenuItem::SetShortCut(const std::string& AKeys) {
  const QKeySequence keys =
      QKeySequence::fromString(toolkit::ToQt(AKeys), QKeySequence::PortableText);
  // Qt turns a name it does not know into an unknown key, or into nothing.
  if (keys.isEmpty() != AKeys.empty() || (!keys.isEmpty() && keys[0].key() == Qt::Key_unknown))
    throw std::invalid_argument("TMenuItem.ShortCut: \"" + AKeys + "\" names no key");
  FAction->action.setShortcut(keys);
}

bool TMenuItem::Visible() const {
  return FAction->action.isVisible();
}

void TMenuItem::SetVisible(bool AVisible) {
  FAction->action.setVisible(AVisible);
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
  if (FActionLink)
    FActionLink->Execute();
  else if (OnClick)
    OnClick();
}

void TMenuItem::SetAction(TAction* AAction) {
  if (AAction == FActionLink)
    return;
  if (FActionLink) {
    auto& clients = FActionLink->FClients;
    clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
    RemoveFreeNotification(*FActionLink);
  }
  FActionLink = AAction;
  if (FActionLink) {
    FActionLink->FClients.push_back(this);
    FreeNotification(*FActionLink);
    ActionChanged();
  }
}

void TMenuItem::ActionChanged() {
  SetCaption(FActionLink->Caption());
  SetEnabled(FActionLink->Enabled());
  if (FActionLink->Checked() || Checked())
    SetChecked(FActionLink->Checked());
}

void TMenuItem::Notification(TComponent& AComponent, TOperation AOperation) {
  if (AOperation != TOperation::opRemove)
    return;
  if (&AComponent == static_cast<TComponent*>(FActionLink))
    FActionLink = nullptr;
  // A freed item's action leaves the submenu by itself; the list forgets it here.
  FItems.erase(std::remove(FItems.begin(), FItems.end(), &AComponent), FItems.end());
}

TAction::TAction(TComponent* AOwner) : TComponent(AOwner) {}

void TAction::SetCaption(const std::string& ACaption) {
  FCaption = ACaption;
  Changed();
}

void TAction::SetEnabled(bool AEnabled) {
  FEnabled = AEnabled;
  Changed();
}

void TAction::SetChecked(bool AChecked) {
  FChecked = AChecked;
  Changed();
}

void TAction::Execute() {
  if (OnExecute)
    OnExecute();
}

void TAction::Changed() {
  for (TMenuItem* item : FClients)
    item->ActionChanged();
}

void TAction::Notification(TComponent& AComponent, TOperation AOperation) {
  if (AOperation == TOperation::opRemove)
    FClients.erase(std::remove(FClients.begin(), FClients.end(), &AComponent), FClients.end());
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

TMainMenu::Bar::Bar() : bar(new QMenuBar()) {
  // The bar stays in the form, where the form's client area makes room for it, on every desktop.
  bar->setNativeMenuBar(false);
}

TMainMenu::TMainMenu(TComponent* AOwner) : TComponent(AOwner), FBar(std::make_unique<Bar>()) {}

TMainMenu::~TMainMenu() = default;

void TMainMenu::Add(TMenuItem& AItem) {
  FItems.push_back(&AItem);
  AItem.FreeNotification(*this);
  FBar->bar->addAction(&AItem.QtAction().action);
}

TMenuItem& TMainMenu::Items(int AIndex) const {
  toolkit::CheckIndex("TMainMenu.Items", AIndex, Count());
  return *FItems[static_cast<std::size_t>(AIndex)];
}

void TMainMenu::Notification(TComponent& AComponent, TOperation AOperation) {
  if (AOperation == TOperation::opRemove)
    FItems.erase(std::remove(FItems.begin(), FItems.end(), &AComponent), FItems.end());
}

} // namespace kiv
