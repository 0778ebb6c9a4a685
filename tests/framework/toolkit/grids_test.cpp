#include "framework/toolkit/Grids.h"
#include "testing/support/Failure.h"

#include <gtest/gtest.h>

namespace kiv {
namespace {

TEST(TStringGrid, KeepsColumnWidthsAndCells) {
  TStringGrid grid(nullptr);
  grid.SetColCount(3);
  grid.SetRowCount(2);
  EXPECT_EQ(grid.ColWidths(2), 64);
  grid.SetColWidths(1, 117);
  grid.SetColWidths(2, 0);
  EXPECT_EQ(grid.ColWidths(1), 117);
  EXPECT_EQ(grid.ColWidths(2), 0);
  EXPECT_EQ(grid.Cells(2, 1), "");
  grid.SetCells(2, 1, "depth");
  EXPECT_EQ(grid.Cells(2, 1), "depth");
}

TEST(TStringGrid, RefusesAColumnOrRowOutsideTheGrid) {
  TStringGrid grid(nullptr);
  grid.SetColCount(2);
  EXPECT_EQ(test::Failure([&] { grid.ColWidths(2); }),
            test::Expected("foreign", "TCustomGrid.ColWidths: index 2 out of range"));
  EXPECT_EQ(test::Failure([&] { grid.SetCells(0, 5, "x"); }),
            test::Expected("foreign", "TStringGrid.Cells: index 5 out of range"));
}

TEST(TDrawGrid, IsAGridButNoStringGrid) {
  TDrawGrid grid(nullptr);
  TCustomGrid* any = &grid;
  EXPECT_EQ(dynamic_cast<TStringGrid*>(any), nullptr);
  EXPECT_EQ(grid.ClassName(), "TDrawGrid");
}

} // namespace
} // namespace kiv
