#include "core/Exceptions.h"
#include "framework/desktop/UITools.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/Menus.h"
#include "framework/toolkit/detail/MenuParts.h"
#include "testing/gui/ModalAnswer.h"

#include <QMessageBox>
#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(TUITools, TwoPopupsForOneOwnerAtOnceBothWorkUnderNamesOfTheirOwn) {
  TForm owner(nullptr);
  TUITools tools;
  std::vector<std::string> chosen;
  const auto choose = [&](TMenuItem& Sender) { chosen.push_back(Sender.Caption()); };
  TPopupMenu* first = tools.CreatePopup(owner, choose, {"Copy", "Paste"});
  TPopupMenu* second = tools.CreatePopup(owner, choose, {"Cut"});
  ASSERT_EQ(owner.ComponentCount(), 5);
  std::vector<std::string> names;
  for (int i = 0; i < owner.ComponentCount(); ++i) {
    const std::string& name = owner.Components(i).Name();
    for (const std::string& earlier : names)
      EXPECT_NE(name, earlier);
    names.push_back(name);
  }
  EXPECT_EQ(names[0].rfind("PopupMenu", 0), 0u) << names[0];
  EXPECT_EQ(names[2].rfind("PopupAdd_1", 0), 0u) << names[2];
  ASSERT_EQ(first->Count(), 2);
  ASSERT_EQ(second->Count(), 1);
  first->Items(1).Click();
  second->Items(0).Click();
  EXPECT_EQ(chosen, (std::vector<std::string>{"Paste", "Cut"}));
}

TEST(TUITools, PopupOfActionsTakesCaptionStateAndClickFromEachAction) {
  TForm owner(nullptr);
  auto* save = new TAction(&owner);
  save->SetCaption("Save");
  int saved = 0;
  save->OnExecute = [&] { ++saved; };
  auto* close = new TAction(&owner);
  close->SetCaption("Close");
  close->SetEnabled(false);
  TPopupMenu* menu = TUITools().CreatePopup(owner, {save, close});
  ASSERT_EQ(menu->Count(), 2);
  EXPECT_EQ(menu->Items(0).Caption(), "Save");
  EXPECT_FALSE(menu->Items(1).Enabled());
  close->SetEnabled(true);
  EXPECT_TRUE(menu->Items(1).Enabled());
  menu->Items(0).QtAction().action.trigger();
  EXPECT_EQ(saved, 1);
  delete save;
  EXPECT_EQ(menu->Items(0).AssignedAction(), nullptr);
}

TEST(TUITools, ItemHandlerThatThrowsEndsInTheExceptionBoxAndTheProgramGoesOn) {
  TForm owner(nullptr);
  TUITools tools;
  int clicks = 0;
  TPopupMenu* menu = tools.CreatePopup(owner,
                                       [&](TMenuItem&) {
                                         if (++clicks == 1)
                                           throw EPelo("Nothing to paste");
                                       },
                                       {"Paste"});
  std::string text;
  {
    test::ModalAnswer ok(test::ClickMessageBoxButton(QMessageBox::Ok, &text));
    menu->Items(0).QtAction().action.trigger();
  }
  EXPECT_EQ(text, "EPelo with message: \nNothing to paste");
  menu->Items(0).QtAction().action.trigger();
  EXPECT_EQ(clicks, 2);
}

} // namespace
} // namespace kiv
