#include "framework/desktop/UITools.h"

#include "framework/base/RunTimeName.h"
#include "framework/toolkit/Control.h"
#include "framework/toolkit/Menus.h"

namespace kiv {

TPopupMenu* TUITools::CreatePopup(TWinControl& AOwner,
                                  const std::function<void(TMenuItem& Sender)>& AOnItemClickEvent,
                                  const std::vector<std::string>& APopupItems) {
  return CreatePopup(AOwner, APopupItems.size(), [&](TMenuItem& AItem, size_t AIndex) {
    AItem.SetCaption(APopupItems[AIndex]);
    AItem.OnClick = [AOnItemClickEvent, &AItem] {
      if (AOnItemClickEvent)
        AOnItemClickEvent(AItem);
    };
  });
}

TPopupMenu* TUITools::CreatePopup(TWinControl& AOwner, const std::vector<TAction*>& APopupItems) {
  return CreatePopup(AOwner, APopupItems.size(), [&](TMenuItem& AItem, size_t AIndex) {
    AItem.SetAction(APopupItems[AIndex]);
  });
}

TPopupMenu*
TUITools::CreatePopup(TWinControl& AOwner, size_t ACount,
                      const std::function<void(TMenuItem& AItem, size_t AIndex)>& ASetUp) {
  auto* menu = new TPopupMenu(&AOwner);
  menu->SetName(RunTimeName("PopupMenu"));
  for (size_t i = 0; i < ACount; ++i) {
    auto* item = new TMenuItem(&AOwner);
    item->SetName(RunTimeName("PopupAdd_" + std::to_string(i)));
    ASetUp(*item, i);
    menu->Add(*item);
  }
  return menu;
}

} // namespace kiv
