#include "core/Exceptions.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/Menus.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/MenuParts.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/gui/ModalAnswer.h"
#include "testing/support/Failure.h"

#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

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

// A form with a main menu: File with Open (Ctrl+O), a separator and an Export submenu holding
// Image (Ctrl+Shift+S), all owned by the form.
struct FormWithMenu {
  FormWithMenu() {
    menu->Add(*file);
    file->SetCaption("&File");
    file->Add(*Item("&Open", "Ctrl+O"));
    file->Add(*Item("-", ""));
    file->Add(*exportMenu);
    exportMenu->SetCaption("&Export");
    exportMenu->Add(*Item("&Image", "Ctrl+Shift+S"));
    form.SetMenu(menu);
    form.SetClientWidth(300);
    form.SetClientHeight(200);
  }
  TMenuItem* Item(const std::string& caption, const std::string& keys) {
    auto* item = new TMenuItem(&form);
    item->SetCaption(caption);
    item->SetShortCut(keys);
    item->OnClick = [this, caption] { chosen.push_back(caption); };
    return item;
  }
  void ShowActive() {
    form.Show();
    form.Activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&toolkit::QtWidget(form)));
  }
  QMenuBar& Bar() const {
    QMenuBar* bar = menu->QtBar().bar.data();
    if (bar == nullptr)
      throw std::logic_error("the menu's bar is gone");
    return *bar;
  }

  TForm form{nullptr};
  TMainMenu* menu = new TMainMenu(&form);
  TMenuItem* file = new TMenuItem(&form);
  TMenuItem* exportMenu = new TMenuItem(&form);
  std::vector<std::string> chosen;
};

TEST(TMainMenu, ShortcutsOfItemsInSubmenusChooseThemWhileTheFormHasTheFocus) {
  FormWithMenu fixture;
  auto* edit = new TEdit(&fixture.form);
  edit->SetParent(&fixture.form);
  fixture.ShowActive();
  edit->SetFocus();
  QWidget& form = toolkit::QtWidget(fixture.form);
  QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
  QTest::keyClick(&toolkit::QtWidget(*edit), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(fixture.chosen, (std::vector<std::string>{"&Open", "&Image"}));
  // A hidden item's key chooses nothing; the keys of the form's own handler still reach it.
  fixture.file->Items(0).SetVisible(false);
  QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(fixture.chosen.size(), 2u);
  std::vector<std::uint16_t> keys;
  fixture.form.OnKeyDown = [&keys](std::uint16_t& key, TShiftState) { keys.push_back(key); };
  QTest::keyClick(&form, Qt::Key_F1);
  fixture.form.KeyPreview = true;
  QTest::keyClick(&toolkit::QtWidget(*edit), Qt::Key_F1);
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{VK_F1, VK_F1}));
}

TEST(TMenuItem, HoldsItsSubmenuItemsShortcutAndSeparator) {
  FormWithMenu fixture;
  ASSERT_EQ(fixture.file->Count(), 3);
  EXPECT_EQ(fixture.file->Items(0).ShortCut(), "Ctrl+O");
  EXPECT_TRUE(fixture.file->Items(1).QtAction().action.isSeparator());
  EXPECT_EQ(fixture.exportMenu->Items(0).ShortCut(), "Ctrl+Shift+S");
  EXPECT_EQ(fixture.file->QtAction().action.menu()->actions().size(), 3);
  delete &fixture.file->Items(1);
  ASSERT_EQ(fixture.file->Count(), 2);
  EXPECT_EQ(fixture.file->Items(1).Caption(), "&Export");
  EXPECT_EQ(fixture.file->QtAction().action.menu()->actions().size(), 2);
  EXPECT_EQ(test::Failure([&] { fixture.file->Items(0).SetShortCut("Ctrl+Foo"); }),
            test::Expected("foreign", "TMenuItem.ShortCut: \"Ctrl+Foo\" names no key"));
  fixture.file->Items(0).SetShortCut("");
  EXPECT_EQ(fixture.file->Items(0).ShortCut(), "");
}

TEST(TMainMenu, TheClientAreaLiesBelowTheBar) {
  FormWithMenu fixture;
  TForm& form = fixture.form;
  auto* placed = new TButton(&form);
  placed->SetParent(&form);
  placed->SetBounds(10, 0, 80, 24);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetAlign(TAlign::alClient);
  form.Show();
  const int barHeight = fixture.Bar().height();
  ASSERT_GT(barHeight, 10);
  QWidget& window = toolkit::QtWidget(form);
  EXPECT_EQ(fixture.Bar().geometry(), QRect(0, 0, window.width(), barHeight));
  EXPECT_EQ(form.ClientHeight(), 200);
  EXPECT_EQ(window.height(), 200 + barHeight);
  EXPECT_EQ(toolkit::QtWidget(*panel).geometry(), QRect(0, barHeight, 300, 200));
  EXPECT_EQ(toolkit::QtWidget(*placed).y(), barHeight);
  EXPECT_EQ(placed->Top(), 0);
  // Freed, the menu leaves the form and gives the area back to the controls.
  delete fixture.menu;
  EXPECT_EQ(form.Menu(), nullptr);
  EXPECT_EQ(form.ClientHeight(), 200 + barHeight);
  EXPECT_EQ(toolkit::QtWidget(*panel).geometry(), QRect(0, 0, 300, 200 + barHeight));
  EXPECT_EQ(toolkit::QtWidget(*placed).y(), 0);
}

// The menu outlives its form: the form hands the bar back instead of deleting it with itself.
TEST(TMainMenu, OutlivesTheFormThatShowedIt) {
  TMainMenu menu(nullptr);
  auto* form = new TForm(nullptr);
  form->SetMenu(&menu);
  const QPointer<QMenuBar> bar = menu.QtBar().bar;
  QMenuBar* const barWidget = bar.data();
  ASSERT_NE(barWidget, nullptr);
  EXPECT_EQ(barWidget->parentWidget(), &toolkit::QtWidget(*form));
  delete form;
  ASSERT_FALSE(bar.isNull());
  EXPECT_EQ(barWidget->parentWidget(), nullptr);
}

} // namespace
} // namespace kiv
