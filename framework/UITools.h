#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kiv {

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
};

} // namespace kiv
