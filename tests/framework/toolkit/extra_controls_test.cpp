#include "framework/toolkit/Containers.h"
#include "framework/toolkit/ExtraControls.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/PageControl.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/support/Failure.h"

#include <QCoreApplication>
#include <QPointer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(TSpeedButton, APressCallsOnClick) {
  TSpeedButton button(nullptr);
  int clicks = 0;
  button.OnClick = [&] { ++clicks; };
  toolkit::QtWidgetAs<QToolButton>(button).click();
  EXPECT_EQ(clicks, 1);
}

TEST(TLabeledEdit, TextAndLabelStayApart) {
  TLabeledEdit edit(nullptr);
  int changes = 0;
  edit.OnChange = [&] { ++changes; };
  edit.SetLabelCaption("Depth");
  edit.SetText("12.5");
  EXPECT_EQ(edit.Text(), "12.5");
  EXPECT_EQ(edit.LabelCaption(), "Depth");
  EXPECT_EQ(changes, 1);
}

TEST(TRadioGroup, ChecksOneItemAtATime) {
  TRadioGroup group(nullptr);
  int clicks = 0;
  group.OnClick = [&] { ++clicks; };
  group.AddItem("metres");
  group.AddItem("feet");
  EXPECT_EQ(group.ItemIndex(), -1);
  group.SetItemIndex(1);
  group.SetItemIndex(0);
  EXPECT_EQ(group.ItemIndex(), 0);
  EXPECT_EQ(group.Item(1), "feet");
  group.SetItemIndex(-1);
  EXPECT_EQ(group.ItemIndex(), -1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(test::Failure([&] { group.SetItemIndex(2); }),
            test::Expected("foreign", "TRadioGroup.SetItemIndex: index 2 out of range"));
}

TEST(TComboBox, TextSelectsTheEntryOrIsTyped) {
  TComboBox box(nullptr);
  box.AddItem("one");
  box.AddItem("two");
  box.SetText("two");
  EXPECT_EQ(box.ItemIndex(), 1);
  box.SetText("three");
  EXPECT_EQ(box.Text(), "three");
  box.SetStyle(TComboBoxStyle::csDropDownList);
  box.SetItemIndex(0);
  box.SetText("four");
  EXPECT_EQ(box.Text(), "one");
}

TEST(TFrame, OwnsItsControlsAndAlignsThem) {
  TForm form(nullptr);
  auto* frame = new TFrame(&form);
  frame->SetParent(&form);
  frame->SetAlign(TAlign::alClient);
  auto* box = new TGroupBox(frame);
  box->SetParent(frame);
  box->SetAlign(TAlign::alTop);
  box->SetCaption("Grid");
  auto* edit = new TEdit(frame);
  edit->SetParent(box);
  EXPECT_EQ(frame->Width(), form.ClientWidth());
  EXPECT_EQ(box->Width(), frame->ClientWidth());
  EXPECT_EQ(&frame->Components(1), edit);
  EXPECT_EQ(box->Caption(), "Grid");
}

TEST(TPageControl, ShowsSheetsItDoesNotOwn) {
  TForm form(nullptr);
  auto* sheet = new TTabSheet(&form);
  sheet->SetCaption("Layers");
  QPointer<QWidget> sheetWidget = &toolkit::QtWidget(*sheet);
  {
    TPageControl pages(nullptr);
    auto* second = new TTabSheet(&pages);
    sheet->SetPageControl(&pages);
    second->SetPageControl(&pages);
    EXPECT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(&pages.Pages(0), sheet);
    pages.SetActivePageIndex(1);
    EXPECT_EQ(pages.ActivePageIndex(), 1);
  }
  EXPECT_EQ(sheet->PageControl(), nullptr);
  EXPECT_FALSE(sheetWidget.isNull());
  EXPECT_EQ(sheet->Caption(), "Layers");
}

TEST(TTabSheet, AlignedControlsKeepTheirSizeUntilThePageIsLaidOut) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  auto* pages = new TPageControl(&form);
  pages->SetParent(&form);
  pages->SetAlign(TAlign::alClient);
  auto* sheet = new TTabSheet(&form);
  sheet->SetPageControl(pages);
  auto* bar = new TPanel(&form);
  bar->SetHeight(30);
  bar->SetParent(sheet);
  bar->SetAlign(TAlign::alTop);
  form.Show();
  QCoreApplication::processEvents();
  EXPECT_EQ(bar->Height(), 30);
  EXPECT_EQ(bar->Width(), sheet->ClientWidth());
  form.Hide();
}

} // namespace
} // namespace kiv
