#include "framework/toolkit/Dialogs.h"
#include "testing/gui/ModalAnswer.h"
#include "testing/support/TempDir.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using test::ClickMessageBoxButton;
using test::ModalAnswer;

TEST(MessageDlg, ReturnsTheResultOfTheButtonPressed) {
  struct Case {
    TMsgDlgButtons buttons;
    QMessageBox::StandardButton pressed;
    TModalResult result;
  };
  const Case cases[] = {
      {mbOK, QMessageBox::Ok, mrOk},
      {mbYes | mbNo, QMessageBox::Yes, mrYes},
      {mbYes | mbNo, QMessageBox::No, mrNo},
      {mbOK | mbCancel, QMessageBox::Cancel, mrCancel},
      {mbSave | mbDiscard | mbCancel, QMessageBox::Save, mrSave},
      {mbSave | mbDiscard | mbCancel, QMessageBox::Discard, mrDiscard},
      {mbSave | mbDiscard | mbCancel, QMessageBox::Cancel, mrCancel},
  };
  for (const Case& c : cases) {
    ModalAnswer press(ClickMessageBoxButton(c.pressed));
    EXPECT_EQ(MessageDlg("Stop?", TMsgDlgType::mtConfirmation, c.buttons), c.result)
        << "button " << c.pressed;
  }
}

TEST(MessageDlg, ClosedOtherwiseItAnswersCancelNoOrItsOnlyButton) {
  struct Case {
    TMsgDlgButtons buttons;
    TModalResult result;
  };
  for (const Case c : {Case{mbYes | mbNo, mrNo}, Case{mbOK, mrOk},
                       Case{mbSave | mbDiscard | mbCancel, mrCancel}}) {
    ModalAnswer escape([](QWidget& box) { box.close(); });
    EXPECT_EQ(MessageDlg("Stop?", TMsgDlgType::mtConfirmation, c.buttons), c.result);
  }
}

TEST(MessageDlg, ShowsItsKindAndTheTextAsPlainText) {
  struct Case {
    TMsgDlgType type;
    QMessageBox::Icon icon;
    const char* caption;
  };
  const Case cases[] = {
      {TMsgDlgType::mtWarning, QMessageBox::Warning, "Warning"},
      {TMsgDlgType::mtError, QMessageBox::Critical, "Error"},
      {TMsgDlgType::mtInformation, QMessageBox::Information, "Information"},
      {TMsgDlgType::mtConfirmation, QMessageBox::Question, "Confirm"},
  };
  for (const Case& c : cases) {
    ModalAnswer check([&c](QWidget& window) {
      auto& box = static_cast<QMessageBox&>(window);
      EXPECT_EQ(box.icon(), c.icon) << c.caption;
      EXPECT_EQ(box.windowTitle().toStdString(), c.caption);
      EXPECT_EQ(box.textFormat(), Qt::PlainText);
      EXPECT_EQ(box.text().toStdString(), "<b>two</b>\nlines");
      ClickMessageBoxButton(QMessageBox::Ok)(box);
    });
    MessageDlg("<b>two</b>\nlines", c.type, mbOK);
  }
}

TEST(MessageDlgPos, PlacesTheBoxAtThePosition) {
  QPoint shownAt;
  ModalAnswer check([&shownAt](QWidget& box) {
    shownAt = box.pos();
    ClickMessageBoxButton(QMessageBox::Ok)(box);
  });
  MessageDlgPos("Here", TMsgDlgType::mtInformation, mbOK, 100, 50);
  EXPECT_EQ(shownAt, QPoint(100, 50));
}

TEST(TOpenDialog, ShowsTitleFiltersAndFolderAndReturnsTheChosenPath) {
  const test::TempDir folder;
  test::WriteFile(folder / "job1.mod", "");
  TOpenDialog dialog(nullptr);
  dialog.Title = "Open model";
  dialog.Filter = "Model files|*.mod;*.mo2|All files|*.*";
  dialog.InitialDir = folder.path();
  ModalAnswer choose([&](QWidget& window) {
    auto& fileDialog = static_cast<QFileDialog&>(window);
    EXPECT_EQ(fileDialog.windowTitle().toStdString(), "Open model");
    EXPECT_EQ(fileDialog.nameFilters(),
              QStringList({"Model files (*.mod *.mo2)", "All files (*.*)"}));
    EXPECT_EQ(fileDialog.directory(), QDir(QString::fromStdString(folder.path())));
    fileDialog.selectFile("job1.mod");
    static_cast<QDialog&>(fileDialog).accept(); // QFileDialog's own is protected
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, folder / "job1.mod");
}

TEST(TSaveDialog, AddsTheDefaultExtensionAndLeavesTheNameWhenCancelled) {
  const test::TempDir folder;
  TSaveDialog dialog(nullptr);
  dialog.DefaultExt = "mod";
  dialog.FileName = folder / "first";
  {
    ModalAnswer accept([](QWidget& window) { static_cast<QDialog&>(window).accept(); });
    ASSERT_TRUE(dialog.Execute());
  }
  EXPECT_EQ(dialog.FileName, folder / "first.mod");
  ModalAnswer cancel([](QWidget& window) { static_cast<QDialog&>(window).reject(); });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, folder / "first.mod");
}

TEST(TSaveDialog, ShowsTheFilterOfItsIndexAndGivesTheOneChosen) {
  const test::TempDir folder;
  TSaveDialog dialog(nullptr);
  dialog.Filter = "Regular|*.mod|Sparse|*.mo2|Older|*.mod";
  dialog.FilterIndex = 2;
  dialog.FileName = folder / "line.mo2";
  ModalAnswer choose([](QWidget& window) {
    auto& fileDialog = static_cast<QFileDialog&>(window);
    EXPECT_EQ(fileDialog.selectedNameFilter(), "Sparse");
    fileDialog.selectNameFilter("Older (*.mod)");
    static_cast<QDialog&>(fileDialog).accept();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FilterIndex, 3);
}

} // namespace
} // namespace kiv
