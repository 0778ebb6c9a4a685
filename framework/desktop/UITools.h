#pragma once

// The popup-menu tools of unit MY_ (TUITools).

#include <functional>
#include <string>
#include <vector>

namespace kiv {

class TAction;
class TMenuItem;
class TPopupMenu;
class TWinControl;

// Builds popup menus in code.
class TUITools {
public:
  // A popup menu owned by AOwner with one item per text of APopupItems, in order, each owned by
  // AOwner and calling AOnItemClickEvent with itself when chosen. AOwner frees the menu.
  TPopupMenu* CreatePopup(TWinControl& AOwner,
                          const std::function<void(TMenuItem& Sender)>& AOnItemClickEvent,
                          const std::vector<std::string>& APopupItems);
  // The same with one item per action, each taking caption, state and click from its action.
  TPopupMenu* CreatePopup(TWinControl& AOwner, const std::vector<TAction*>& APopupItems);

private:
  // The menu, and its items one by one with their index, owned by AOwner and named at run time.
  TPopupMenu* CreatePopup(TWinControl& AOwner, size_t ACount,
                          const std::function<void(TMenuItem& AItem, size_t AIndex)>& ASetUp);
};

} // namespace kiv
