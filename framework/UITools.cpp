#include "framework/UITools.h"

#include "framework/RunTimeName.h"
#include "framework/toolkit/Control.h"
#include "framework/toolkit/Menus.h"

namespace kiv {

TPopupMenu* TUITools::CreatePopup(TWinControl& AOwner,
                                  const std::function<void(TMenuItem& Sender)>& AOnItemClickEvent,
                                  const std::vector<std::string>& APopupItems) {
  auto* menu = new TPopupMenu(&AOwner);
  menu->SetName(RunTimeName("PopupMenu"));
  for (size_t i = 0; i < APopupItems.size(); ++i) {
    auto* item = new TMenuItem(&AOwner);
    item->SetName(RunTimeName("PopupAdd_" + std::to_string(i)));
    item->SetCaption(APopupItems[i]);
    item->OnClick = [AOnItemClickEvent, item] {
      if (AOnItemClickEvent)
        AOnItemClickEvent(*item);
    };
    menu->Add(*item);
  }
  return menu;
}

} // namespace kiv
