#include "framework/toolkit/Application.h"
#include "framework/toolkit/Form.h"
#include "framework/toolkit/ProgressBar.h"
#include "framework/toolkit/StandardControls.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/support/Failure.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(TLabel, SizesItselfToItsCaption) {
  TLabel label(nullptr);
  label.SetCaption("A");
  const int narrow = label.Width();
  label.SetCaption("A much longer caption than one letter");
  EXPECT_GT(label.Width(), narrow);
  EXPECT_EQ(label.Caption(), "A much longer caption than one letter");
}

TEST(TEdit, ReportsEveryChangeOfItsText) {
  TEdit edit(nullptr);
  int changes = 0;
  edit.OnChange = [&] { ++changes; };
  edit.SetText("abc");
  edit.SetText("abc");
  EXPECT_EQ(edit.Text(), "abc");
  EXPECT_EQ(changes, 1);
}

TEST(TMemo, HoldsLinesInOrder) {
  TMemo memo(nullptr);
  EXPECT_TRUE(memo.Lines().empty());
  memo.AddLine("first");
  memo.AddLine("second");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(memo.Text(), "first\nsecond");
  memo.Clear();
  EXPECT_TRUE(memo.Lines().empty());
}

TEST(TListBox, ItemsAndSelection) {
  TListBox list(nullptr);
  list.AddItem("a");
  list.AddItem("b");
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItem(1, "c");
  list.SetItemIndex(1);
  EXPECT_EQ(list.Item(1), "c");
  EXPECT_EQ(list.ItemIndex(), 1);
  list.SetItemIndex(-1);
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_EQ(test::Failure([&] { list.Item(2); }),
            test::Expected("foreign", "TListBox.Item: index 2 out of range"));
  EXPECT_EQ(test::Failure([&] { list.SetItemIndex(-2); }),
            test::Expected("foreign", "TListBox.SetItemIndex: index -2 out of range"));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(TCheckBox, ClickFollowsEveryChangeOfState) {
  TCheckBox box(nullptr);
  std::vector<bool> seen;
  box.OnClick = [&] { seen.push_back(box.Checked()); };
  box.SetChecked(true);
  box.SetChecked(true);
  box.SetChecked(false);
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST(TProgressBar, PositionStaysWithinTheRange) {
  struct Case {
    int position;
    int shown;
  };
  TProgressBar bar(nullptr);
  bar.SetRange(0, 100);
  for (const Case c : {Case{-5, 0}, Case{50, 50}, Case{100, 100}, Case{250, 100}}) {
    bar.SetPosition(c.position);
    EXPECT_EQ(bar.Position(), c.shown) << "position " << c.position;
  }
  bar.SetPosition(95);
  bar.StepIt();
  EXPECT_EQ(bar.Position(), 100);
}

TEST(TProgressBar, ANewRangeKeepsThePositionWithinIt) {
  TProgressBar bar(nullptr);
  bar.SetRange(0, 10);
  bar.SetPosition(8);
  bar.SetRange(0, 5);
  EXPECT_EQ(bar.Position(), 5);
  bar.SetRange(6, 9);
  EXPECT_EQ(bar.Position(), 6);
}

// Counts the paints of one widget.
class PaintCount final : public QObject {
public:
  explicit PaintCount(QWidget& widget) { widget.installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
  int paints = 0;
};

// While painting is held, a label and a bar give their new values at once, but their windows
// neither take them nor paint; resuming hands the values over and paints them.
TEST(TControl, HeldPaintingTakesValuesAtOnceAndPaintsThemOnceResumed) {
  TForm form(nullptr);
  auto* bar = new TProgressBar(&form);
  auto* label = new TLabel(&form);
  bar->SetParent(&form);
  label->SetParent(&form);
  bar->SetRange(0, 10);
  label->SetCaption("None");
  form.Show();
  auto& barWindow = toolkit::QtWidgetAs<QProgressBar>(*bar);
  auto& labelWindow = toolkit::QtWidgetAs<QLabel>(*label);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&toolkit::QtWidget(form)));
  Application().ProcessMessages();
  const PaintCount barPaints(barWindow);
  const PaintCount labelPaints(labelWindow);

  bar->HoldPainting();
  label->HoldPainting();
  bar->SetPosition(3);
  bar->StepIt();
  label->SetCaption("Row 3");
  bar->SetRange(0, 8);
  Application().ProcessMessages();
  EXPECT_EQ(bar->Position(), 8);
  EXPECT_EQ(label->Caption(), "Row 3");
  EXPECT_EQ(barWindow.value(), 0);
  EXPECT_EQ(labelWindow.text(), "None");
  EXPECT_EQ(barPaints.paints + labelPaints.paints, 0);

  bar->ResumePainting();
  label->ResumePainting();
  EXPECT_FALSE(bar->PaintingHeld());
  EXPECT_EQ(barWindow.value(), 8);
  EXPECT_EQ(labelWindow.text(), "Row 3");
  EXPECT_TRUE(QTest::qWaitFor([&] { return barPaints.paints > 0 && labelPaints.paints > 0; }));
}

TEST(TComboBox, StartsWithoutSelectionAndReportsEveryChange) {
  TComboBox box(nullptr);
  box.SetStyle(TComboBoxStyle::csDropDownList);
  int changes = 0;
  box.OnChange = [&] { ++changes; };
  box.AddItem("Ohm-m");
  box.AddItem("mS/m");
  EXPECT_EQ(box.ItemIndex(), -1);
  box.SetItemIndex(1);
  EXPECT_EQ(box.Text(), "mS/m");
  EXPECT_EQ(box.Item(0), "Ohm-m");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(box.Style(), TComboBoxStyle::csDropDownList);
  EXPECT_EQ(test::Failure([&] { box.SetItemIndex(2); }),
            test::Expected("foreign", "TComboBox.SetItemIndex: index 2 out of range"));
}

TEST(TRadioButton, CheckingOneUnchecksTheOthersOnTheSameParent) {
  TForm form(nullptr);
  auto* first = new TRadioButton(&form);
  auto* second = new TRadioButton(&form);
  first->SetParent(&form);
  second->SetParent(&form);
  int firstClicks = 0;
  first->OnClick = [&] { ++firstClicks; };
  first->SetChecked(true);
  second->SetChecked(true);
  EXPECT_FALSE(first->Checked());
  EXPECT_TRUE(second->Checked());
  EXPECT_EQ(firstClicks, 2);
}

} // namespace
} // namespace kiv
