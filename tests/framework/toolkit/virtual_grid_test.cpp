#include "framework/toolkit/Form.h"
#include "framework/toolkit/VirtualGrid.h"
#include "framework/toolkit/detail/Widget.h"
#include "testing/support/Failure.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace kiv {
namespace {

using toolkit::QtWidgetAs;

// A grid of 100,000 rows on a shown form: column 0 the row number, column 1 an editable depth
// that takes numbers only.
struct DepthGrid {
  DepthGrid() {
    form.SetClientWidth(300);
    form.SetClientHeight(200);
    grid->SetParent(&form);
    grid->SetAlign(TAlign::alClient);
    grid->SetColCount(2);
    grid->SetColTitle(0, "Layer");
    grid->SetColTitle(1, "Depth");
    grid->SetColEditable(1, true);
    grid->SetRowCount(100000);
    grid->OnGetText = [this](int col, int row) {
      asked.insert(row);
      return col == 0 ? std::to_string(row + 1) : depth;
    };
    grid->OnSetText = [this](int, int, const std::string& text) -> std::string {
      if (text.find_first_not_of("0123456789") != std::string::npos)
        return "\"" + text + "\" is no depth";
      depth = text;
      return "";
    };
    grid->OnSelectRow = [this](int row) { selected.push_back(row); };
    form.Show();
    QCoreApplication::processEvents();
  }
  QTableView& View() const { return QtWidgetAs<QTableView>(*grid); }
  QVariant Shown(int col, int row, int role) const {
    return View().model()->data(View().model()->index(row, col), role);
  }

  TForm form{nullptr};
  TVirtualStringGrid* grid = new TVirtualStringGrid(&form);
  std::string depth = "10";
  std::set<int> asked;
  std::vector<int> selected;
};

TEST(TVirtualStringGrid, AsksOnlyForTheCellsThatShow) {
  DepthGrid fixture;
  ASSERT_FALSE(fixture.asked.empty());
  EXPECT_LT(*fixture.asked.rbegin(), 20);
  EXPECT_EQ(fixture.Shown(0, 99999, Qt::DisplayRole).toString(), "100000");
  const QHeaderView& header = *fixture.View().horizontalHeader();
  EXPECT_EQ(header.model()->headerData(1, Qt::Horizontal).toString(), "Depth");
  EXPECT_FALSE(fixture.View().verticalHeader()->isVisible());
  EXPECT_TRUE(fixture.View().verticalScrollBar()->isVisible());
  EXPECT_EQ(fixture.View().geometry(), QRect(0, 0, 300, 200));
}

TEST(TVirtualStringGrid, RefusedEditKeepsTheTextAndMarksTheCellWithTheReason) {
  DepthGrid fixture;
  TVirtualStringGrid& grid = *fixture.grid;
  EXPECT_FALSE(grid.EditCell(1, 4, "deep"));
  EXPECT_EQ(grid.CellRefusal(1, 4), "\"deep\" is no depth");
  EXPECT_EQ(fixture.Shown(1, 4, Qt::DisplayRole).toString(), "10");
  EXPECT_EQ(fixture.Shown(1, 4, Qt::ToolTipRole).toString(), "\"deep\" is no depth");
  EXPECT_TRUE(fixture.Shown(1, 4, Qt::BackgroundRole).isValid());
  EXPECT_FALSE(fixture.Shown(1, 5, Qt::BackgroundRole).isValid());
  // The user's edit through the view's editor goes the same way.
  QTableView& view = fixture.View();
  const QModelIndex cell = view.model()->index(4, 1);
  view.setCurrentIndex(cell);
  view.edit(cell);
  auto* editor = view.viewport()->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "10");
  editor->setText("25");
  QTest::keyClick(editor, Qt::Key_Return); // the view commits once the key is handled
  ASSERT_TRUE(QTest::qWaitFor([&grid] { return grid.CellRefusal(1, 4).empty(); }));
  EXPECT_EQ(fixture.Shown(1, 4, Qt::DisplayRole).toString(), "25");
  EXPECT_FALSE(fixture.Shown(1, 4, Qt::BackgroundRole).isValid());
  // A refusal lasts until Invalidate; a column that is not editable takes no edit.
  EXPECT_FALSE(grid.EditCell(1, 7, "-3"));
  grid.Invalidate();
  EXPECT_EQ(grid.CellRefusal(1, 7), "");
  EXPECT_FALSE(view.model()->flags(view.model()->index(0, 0)) & Qt::ItemIsEditable);
  EXPECT_EQ(test::Failure([&] { grid.EditCell(0, 1, "2"); }),
            test::Expected("foreign", "TVirtualStringGrid.EditCell: column 0 is not editable"));
}

TEST(TVirtualStringGrid, UserSelectionIsReportedAndSetRowScrollsSilently) {
  DepthGrid fixture;
  TVirtualStringGrid& grid = *fixture.grid;
  QTableView& view = fixture.View();
  EXPECT_EQ(grid.Row(), -1);
  const QRect third = view.visualRect(view.model()->index(2, 1));
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, third.center());
  QTest::keyClick(view.viewport(), Qt::Key_Down);
  EXPECT_EQ(fixture.selected, (std::vector<int>{2, 3}));
  EXPECT_EQ(grid.Row(), 3);
  grid.SetRow(60000);
  EXPECT_EQ(grid.Row(), 60000);
  EXPECT_TRUE(view.viewport()->rect().contains(view.visualRect(view.model()->index(60000, 0))));
  grid.SetRow(-1);
  EXPECT_EQ(grid.Row(), -1);
  EXPECT_EQ(fixture.selected.size(), 2u);
}

TEST(TVirtualStringGrid, KeepsColumnWidthsAndForgetsRefusalsOfRowsThatGo) {
  TVirtualStringGrid grid(nullptr);
  grid.SetColCount(3);
  grid.SetRowCount(5);
  EXPECT_EQ(grid.ColWidths(2), 64);
  grid.SetColWidths(1, 117);
  EXPECT_EQ(grid.ColWidths(1), 117);
  grid.SetColEditable(2, true);
  grid.OnSetText = [](int, int, const std::string&) { return std::string("locked"); };
  EXPECT_FALSE(grid.EditCell(2, 4, "x"));
  EXPECT_EQ(grid.CellRefusal(2, 4), "locked");
  grid.SetRowCount(4);
  grid.SetRowCount(5);
  EXPECT_EQ(grid.CellRefusal(2, 4), "");
  EXPECT_EQ(test::Failure([&] { grid.ColWidths(3); }),
            test::Expected("foreign", "TVirtualStringGrid.ColWidths: index 3 out of range"));
}

} // namespace
} // namespace kiv
