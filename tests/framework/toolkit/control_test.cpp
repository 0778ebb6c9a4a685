#include "framework/toolkit/Form.h"
#include "framework/toolkit/Panel.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/support/Failure.h"

#include <QPointer>
#include <gtest/gtest.h>

namespace kiv {
namespace {

using toolkit::QtWidget;

TEST(TControl, DestroyingAParentDetachesTheControlsItDoesNotOwn) {
  TForm owner(nullptr);
  auto* parent = new TPanel(nullptr);
  parent->SetParent(&owner);
  auto* owned = new TLabel(parent);
  owned->SetParent(parent);
  auto* shownOnly = new TEdit(&owner);
  shownOnly->SetParent(parent);
  const QPointer<QWidget> ownedWidget(&QtWidget(*owned));
  const QPointer<QWidget> shownOnlyWidget(&QtWidget(*shownOnly));
  const int ownerCount = owner.ComponentCount();

  delete parent;

  EXPECT_TRUE(ownedWidget.isNull());
  QWidget* const kept = shownOnlyWidget.data();
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(shownOnly->Parent(), nullptr);
  EXPECT_EQ(kept->parentWidget(), nullptr);
  EXPECT_FALSE(kept->isVisible());
  EXPECT_EQ(owner.ComponentCount(), ownerCount);
  EXPECT_EQ(owner.ControlCount(), 0);
}

TEST(TControl, DestroyingAnOwnerFreesWhatItOwnsWhereverItIsShown) {
  TForm shownOn(nullptr);
  QPointer<QWidget> button;
  {
    TForm owner(nullptr);
    auto* control = new TButton(&owner);
    control->SetParent(&shownOn);
    button = &QtWidget(*control);
    ASSERT_EQ(shownOn.ControlCount(), 1);
  }
  EXPECT_TRUE(button.isNull());
  EXPECT_EQ(shownOn.ControlCount(), 0);
}

TEST(TControl, RefusesToBePlacedOnItselfOrOnWhatItHolds) {
  TForm form(nullptr);
  auto* outer = new TPanel(&form);
  auto* inner = new TPanel(&form);
  inner->SetParent(outer);
  EXPECT_EQ(test::Failure([&] { outer->SetParent(inner); }),
            test::Expected("foreign", "TControl.SetParent: TPanel cannot be placed on itself or on "
                                      "a control it holds"));
}

TEST(TControl, AlignedControlsShareTheClientAreaEdgesFirst) {
  TForm form(nullptr);
  form.SetClientWidth(150);
  form.SetClientHeight(250);
  auto* list = new TListBox(&form);
  list->SetParent(&form);
  list->SetAlign(TAlign::alClient);
  auto* bottom = new TPanel(&form);
  bottom->SetParent(&form);
  bottom->SetHeight(28);
  bottom->SetAlign(TAlign::alBottom);
  auto* left = new TPanel(&form);
  left->SetParent(&form);
  left->SetWidth(30);
  left->SetAlign(TAlign::alLeft);

  const auto bounds = [](const TControl& c) {
    return std::vector<int>{c.Left(), c.Top(), c.Width(), c.Height()};
  };
  EXPECT_EQ(bounds(*bottom), (std::vector<int>{0, 222, 150, 28}));
  EXPECT_EQ(bounds(*left), (std::vector<int>{0, 0, 30, 222}));
  EXPECT_EQ(bounds(*list), (std::vector<int>{30, 0, 120, 222}));

  form.SetClientHeight(300); // a resize lays them out again
  EXPECT_EQ(bounds(*bottom), (std::vector<int>{0, 272, 150, 28}));
  EXPECT_EQ(bounds(*list), (std::vector<int>{30, 0, 120, 272}));
}

TEST(TControl, HiddenControlStaysHiddenWhenPlacedAndAControlWithoutParentShowsNothing) {
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->Show();
  EXPECT_FALSE(QtWidget(*label).isVisible()); // not a window of its own
  label->Hide();
  label->SetParent(&form);
  form.Show();
  EXPECT_FALSE(QtWidget(*label).isVisible());
  label->Show();
  EXPECT_TRUE(QtWidget(*label).isVisible());
}

TEST(TControl, ColorIsTheBackgroundOfTheAreaOrOfTheText) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  form.SetColor(clWhite);
  list->SetColor(0x336699);
  EXPECT_EQ(form.Color(), clWhite);
  EXPECT_EQ(list->Color(), 0x336699);
  EXPECT_EQ(QtWidget(*list).palette().color(QPalette::Base), QColor(0x99, 0x66, 0x33));
}

} // namespace
} // namespace kiv
