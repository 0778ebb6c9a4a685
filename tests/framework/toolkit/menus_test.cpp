#include "core/Exceptions.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/Menus.h"
#include "framework/toolkit/detail/MenuParts.h"
#include "testing/gui/ModalAnswer.h"

#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::ModalAnswer;

// A menu and its items, all owned by one form, the way the framework builds popups.
struct MenuOnForm {
  MenuOnForm() {
    for (const char* caption : {"Copy", "Paste"}) {
      auto* item = new TMenuItem(&form);
      item->SetCaption(caption);
      item->OnClick = [this, caption] { chosen.push_back(caption); };
      menu->Add(*item);
    }
  }
  TForm form{nullptr};
  TPopupMenu* menu = new TPopupMenu(&form);
  std::vector<std::string> chosen;
};

TEST(TPopupMenu, ChoosingAnItemInThePoppedUpMenuClicksIt) {
  MenuOnForm fixture;
  QPoint shownAt;
  ModalAnswer choose([&](QWidget& popup) {
    shownAt = popup.pos();
    QTest::keyClick(&popup, Qt::Key_Down);
    QTest::keyClick(&popup, Qt::Key_Down);
    QTest::keyClick(&popup, Qt::Key_Return);
  });
  fixture.menu->Popup(200, 100);
  EXPECT_EQ(fixture.chosen, (std::vector<std::string>{"Paste"}));
  EXPECT_EQ(shownAt, QPoint(200, 100));
}

TEST(TPopupMenu, FreedItemLeavesTheMenu) {
  MenuOnForm fixture;
  delete &fixture.menu->Items(0);
  ASSERT_EQ(fixture.menu->Count(), 1);
  EXPECT_EQ(fixture.menu->Items(0).Caption(), "Paste");
  EXPECT_EQ(fixture.menu->QtMenu().menu.actions().size(), 1);
}

TEST(TMenuItem, ClickHandlerThatThrowsEndsInTheExceptionBox) {
  TForm form(nullptr);
  auto* item = new TMenuItem(&form);
  item->OnClick = [] { throw EPelo("Nothing to paste"); };
  std::string text;
  {
    ModalAnswer ok(test::ClickMessageBoxButton(QMessageBox::Ok, &text));
    item->QtAction().action.trigger();
  }
  EXPECT_EQ(text, "EPelo with message: \nNothing to paste");
}

} // namespace
} // namespace kiv
