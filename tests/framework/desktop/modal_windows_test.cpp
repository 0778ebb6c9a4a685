#include "framework/desktop/Dialog.h"
#include "framework/toolkit/Form.h"
#include "testing/gui/DesktopWindows.h"
#include "testing/gui/ModalAnswer.h"
#include "testing/support/TempDir.h"

#include <QCursor>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::ChildWithText;
using test::ModalAnswer;

TEST(TDialog, PromptForStringReturnsTheTextOnOkOnly) {
  TDialog dialog(nullptr);
  struct Case {
    const char* button;
    const char* result;
  };
  for (const Case c : {Case{"&OK", "typed"}, Case{"&Cancel", ""}}) {
    ModalAnswer answer([&](QWidget& window) {
      EXPECT_EQ(window.windowTitle().toStdString(), "Name");
      auto* edit = window.findChild<QLineEdit*>();
      EXPECT_EQ(edit->text().toStdString(), "default");
      EXPECT_EQ(window.focusWidget(), edit);
      edit->setText("typed");
      ChildWithText<QPushButton>(window, c.button)->click();
    });
    EXPECT_EQ(dialog.PromptForString("Name", "Your name:", "default"), c.result) << c.button;
  }
}

TEST(TDialog, PromptForStringLaysItsControlsOutFromTheLabel) {
  TDialog dialog(nullptr);
  ModalAnswer answer([&](QWidget& window) {
    auto* label = window.findChild<QLabel*>();
    auto* edit = window.findChild<QLineEdit*>();
    auto* ok = ChildWithText<QPushButton>(window, "&OK");
    auto* cancel = ChildWithText<QPushButton>(window, "&Cancel");
    EXPECT_EQ(label->pos(), QPoint(4, 6));
    EXPECT_EQ(edit->pos(), QPoint(4 + label->width() + 4, 4));
    EXPECT_EQ(ok->pos(), QPoint(4, 4 + edit->height() + 4));
    EXPECT_EQ(cancel->pos(), QPoint(4 + ok->width() + 4, ok->y()));
    EXPECT_EQ(window.size(), QSize(edit->x() + edit->width() + 4, ok->y() + ok->height() + 4));
    QTest::keyClick(edit, Qt::Key_Return); // OK is the default button
  });
  EXPECT_EQ(dialog.PromptForString("Name", "Your name:", "x"), "x");
}

TEST(TDialog, PromptForStringTwiceShowsTwoPromptsOneAfterTheOther) {
  TDialog dialog(nullptr);
  for (const char* text : {"first", "second"}) {
    int prompts = 0;
    ModalAnswer answer([&](QWidget& window) {
      for (QWidget* other : QApplication::topLevelWidgets())
        prompts += other->windowTitle() == "Prompt" ? 1 : 0;
      window.findChild<QLineEdit*>()->setText(text);
      ChildWithText<QPushButton>(window, "&OK")->click();
    });
    EXPECT_EQ(dialog.PromptForString("Prompt", "Text:", ""), text);
    EXPECT_EQ(prompts, 1) << text;
  }
}

TEST(TDialog, ShowListReturnsTheIndexChosenWithAcceptElseMinusOne) {
  TDialog dialog(nullptr);
  struct Case {
    int selected;
    const char* button;
    int result;
  };
  const Case cases[] = {{1, "Accept", 1}, {-1, "Accept", -1}, {2, "Cancel", -1}};
  for (const Case& c : cases) {
    ModalAnswer answer([&](QWidget& window) {
      EXPECT_EQ(window.frameGeometry().size(), QSize(150, 250));
      auto* list = window.findChild<QListWidget*>();
      EXPECT_EQ(list->count(), 3);
      EXPECT_EQ(list->item(2)->text(), "c");
      if (c.selected >= 0) // else nothing is chosen, as the window comes up
        list->setCurrentRow(c.selected);
      auto* button = ChildWithText<QPushButton>(window, c.button);
      EXPECT_EQ(button->geometry(),
                c.button == std::string("Accept") ? QRect(4, 2, 50, 24) : QRect(58, 2, 50, 24));
      button->click();
    });
    EXPECT_EQ(dialog.ShowList("Pick", {"a", "b", "c"}), c.result) << c.selected << " " << c.button;
  }
}

TEST(TDialog, ShowEditStringLineTakesTheTextOnEnterAndKeepsItOnEscape) {
  TDialog dialog(nullptr);
  TForm parent(nullptr);
  QCursor::setPos(300, 200);
  struct Case {
    Qt::Key key;
    bool result;
    const char* text;
  };
  for (const Case c : {Case{Qt::Key_Return, true, "new"}, Case{Qt::Key_Escape, false, "old"}}) {
    std::string text = "old";
    ModalAnswer answer([&](QWidget& window) {
      EXPECT_EQ(window.pos(), QPoint(300, 200));
      EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
      auto* edit = window.findChild<QLineEdit*>();
      EXPECT_EQ(edit->text().toStdString(), "old");
      EXPECT_EQ(edit->width(), 100);
      EXPECT_EQ(window.findChild<QLabel*>()->text().toStdString(), "Name:");
      edit->setText("new");
      QTest::keyClick(edit, c.key);
    });
    EXPECT_EQ(dialog.ShowEditStringLine(&parent, "Name:", text), c.result) << c.key;
    EXPECT_EQ(text, c.text);
  }
}

TEST(TDialog, ShowEditStringLineLeavesTheParentAsItWas) {
  TDialog dialog(nullptr);
  auto* parent = new TForm(nullptr);
  const int owned = parent->ComponentCount();
  std::string text = "old";
  QPointer<QWidget> editor;
  {
    ModalAnswer answer([&](QWidget& window) {
      editor = &window;
      EXPECT_EQ(parent->ComponentCount(), owned + 3); // the window, its label and its edit box
      EXPECT_NE(parent->FindComponent("LEdit"), nullptr);
      QTest::keyClick(window.findChild<QLineEdit*>(), Qt::Key_Escape);
    });
    dialog.ShowEditStringLine(parent, "Name:", text);
  }
  EXPECT_TRUE(editor.isNull());
  EXPECT_EQ(parent->ComponentCount(), owned);
  delete parent;
}

TEST(TDialog, ShowEditStringLineWhoseParentGoesMeanwhileReturnsFalse) {
  TDialog dialog(nullptr);
  auto* parent = new TForm(nullptr);
  std::string text = "old";
  ModalAnswer answer([&](QWidget&) { delete parent; });
  EXPECT_FALSE(dialog.ShowEditStringLine(parent, "Name:", text));
  EXPECT_EQ(text, "old");
}

TEST(TDialog, PromptUserForFileNameChoosesToSaveOrOpenAndKeepsTheNameWhenCancelled) {
  const test::TempDir folder;
  TDialog dialog(nullptr);
  std::string name = folder / "first";
  {
    ModalAnswer accept([](QWidget& window) {
      auto& fileDialog = static_cast<QFileDialog&>(window);
      EXPECT_EQ(fileDialog.acceptMode(), QFileDialog::AcceptSave);
      EXPECT_EQ(fileDialog.windowTitle().toStdString(), "Save model");
      static_cast<QDialog&>(fileDialog).accept();
    });
    ASSERT_TRUE(dialog.PromptUserForFileName(name, "Model files|*.mod", "mod", "Save model",
                                             folder.path(), true));
  }
  EXPECT_EQ(name, folder / "first.mod");
  ModalAnswer cancel([](QWidget& window) {
    EXPECT_EQ(static_cast<QFileDialog&>(window).acceptMode(), QFileDialog::AcceptOpen);
    static_cast<QDialog&>(window).reject();
  });
  EXPECT_FALSE(dialog.PromptUserForFileName(name, "Model files|*.mod", "mod", "Open model",
                                            folder.path(), false));
  EXPECT_EQ(name, folder / "first.mod");
}

} // namespace
} // namespace kiv
