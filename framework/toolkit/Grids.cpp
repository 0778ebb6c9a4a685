#include "framework/toolkit/Grids.h"

#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/Widget.h"

#include <QHeaderView>
#include <QTableWidget>

namespace kiv {

using toolkit::CheckIndex;
using toolkit::QtWidgetAs;

namespace {

// A grid starts with five columns of 64 pixels and five rows, without the table's own headers.
std::unique_ptr<TControl::Widget> MakeGridWidget() {
  auto* table = new QTableWidget(5, 5);
  table->horizontalHeader()->hide();
  table->verticalHeader()->hide();
  table->horizontalHeader()->setMinimumSectionSize(0);
  table->horizontalHeader()->setDefaultSectionSize(64);
  table->verticalHeader()->setDefaultSectionSize(24);
  return toolkit::HiddenWidget(table, 320, 120);
}

QTableWidget& Table(const TCustomGrid& grid) {
  return QtWidgetAs<QTableWidget>(grid);
}

} // namespace

TCustomGrid::TCustomGrid(TComponent* AOwner) : TControl(AOwner, MakeGridWidget()) {}

int TCustomGrid::ColCount() const {
  return Table(*this).columnCount();
}

void TCustomGrid::SetColCount(int ACount) {
  Table(*this).setColumnCount(ACount);
}

int TCustomGrid::RowCount() const {
  return Table(*this).rowCount();
}

void TCustomGrid::SetRowCount(int ACount) {
  Table(*this).setRowCount(ACount);
}

int TCustomGrid::ColWidths(int ACol) const {
  CheckIndex("TCustomGrid.ColWidths", ACol, ColCount());
  return Table(*this).columnWidth(ACol);
}

void TCustomGrid::SetColWidths(int ACol, int AWidth) {
  CheckIndex("TCustomGrid.ColWidths", ACol, ColCount());
  Table(*this).setColumnWidth(ACol, AWidth);
}

TDrawGrid::TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

std::string TStringGrid::Cells(int ACol, int ARow) const {
  CheckIndex("TStringGrid.Cells", ACol, ColCount());
  CheckIndex("TStringGrid.Cells", ARow, RowCount());
  const QTableWidgetItem* item = Table(*this).item(ARow, ACol);
  return item ? item->text().toStdString() : std::string();
}

void TStringGrid::SetCells(int ACol, int ARow, const std::string& AText) {
  CheckIndex("TStringGrid.Cells", ACol, ColCount());
  CheckIndex("TStringGrid.Cells", ARow, RowCount());
  QTableWidget& table = Table(*this);
  QTableWidgetItem* item = table.item(ARow, ACol);
  if (!item) {
    item = new QTableWidgetItem();
    table.setItem(ARow, ACol, item);
  }
  item->setText(toolkit::ToQt(AText));
}

} // namespace kiv
