#include "framework/toolkit/VirtualGrid.h"

#include "framework/toolkit/detail/HandlerBoundary.h"
#include "framework/toolkit/detail/IndexCheck.h"
#include "framework/toolkit/detail/Widget.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>
#include <exception>
#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kiv {

using toolkit::CheckIndex;
using toolkit::QtWidgetAs;

namespace {

// The tint of a cell whose last edit was refused.
const QColor RefusedTint(255, 208, 208);

QTableView& View(const TVirtualStringGrid& grid) {
  return QtWidgetAs<QTableView>(grid);
}

std::unique_ptr<TControl::Widget> MakeViewWidget() {
  auto* view = new QTableView();
  view->verticalHeader()->hide();
  view->verticalHeader()->setDefaultSectionSize(24);
  view->horizontalHeader()->setMinimumSectionSize(0);
  view->horizontalHeader()->setDefaultSectionSize(64);
  view->horizontalHeader()->setHighlightSections(false);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setWordWrap(false);
  return toolkit::HiddenWidget(view, 320, 120);
}

} // namespace

// The model behind the view: it asks the grid's handlers for every text and keeps only the
// titles, the editable columns and the refusals.
struct TVirtualStringGrid::Impl final : QAbstractTableModel {
  explicit Impl(TVirtualStringGrid& AGrid) : grid(AGrid) {}

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows; }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(titles.size());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return Text(index.column(), index.row());
    case Qt::BackgroundRole:
      return refusals.count({index.column(), index.row()}) ? QVariant(RefusedTint) : QVariant();
    case Qt::ToolTipRole: {
      const auto refusal = refusals.find({index.column(), index.row()});
      return refusal == refusals.end() ? QVariant() : QVariant(toolkit::ToQt(refusal->second));
    }
    default:
      return {};
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount({}))
      return {};
    return toolkit::ToQt(titles[static_cast<std::size_t>(section)]);
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && editable[static_cast<std::size_t>(index.column())])
      flags |= Qt::ItemIsEditable;
    return flags;
  }

  // The view's editor hands its text over here.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (role != Qt::EditRole || !index.isValid())
      return false;
    bool accepted = false;
    toolkit::Guarded([&] {
      accepted = grid.EditCell(index.column(), index.row(), value.toString().toStdString());
    })();
    return accepted;
  }

  // A failing OnGetText is reported once, after the painting that asked: a box shown in the
  // middle of it would paint the grid again, and fail again.
  QString Text(int col, int row) const {
    if (!grid.OnGetText || failed)
      return {};
    try {
      return toolkit::ToQt(grid.OnGetText(col, row));
    } catch (...) {
      failed = true;
      QTimer::singleShot(0, [failure = std::current_exception()] {
        try {
          std::rethrow_exception(failure);
        } catch (...) {
          toolkit::HandOnCurrentFailure();
        }
      });
      return {};
    }
  }

  void CellChanged(int col, int row) {
    const QModelIndex cell = index(row, col);
    emit dataChanged(cell, cell);
  }

  void SetRows(int count) {
    if (count > rows) {
      beginInsertRows({}, rows, count - 1);
      rows = count;
      endInsertRows();
    } else if (count < rows) {
      beginRemoveRows({}, count, rows - 1);
      rows = count;
      std::erase_if(refusals,
                    [count](const auto& refusal) { return refusal.first.second >= count; });
      endRemoveRows();
    }
  }

  void SetColumns(int count) {
    const int columns = columnCount({});
    if (count > columns) {
      beginInsertColumns({}, columns, count - 1);
      titles.resize(static_cast<std::size_t>(count));
      editable.resize(static_cast<std::size_t>(count));
      endInsertColumns();
    } else if (count < columns) {
      beginRemoveColumns({}, count, columns - 1);
      titles.resize(static_cast<std::size_t>(count));
      editable.resize(static_cast<std::size_t>(count));
      std::erase_if(refusals,
                    [count](const auto& refusal) { return refusal.first.first >= count; });
      endRemoveColumns();
    }
  }

  TVirtualStringGrid& grid;
  int rows = 0;
  std::vector<std::string> titles;
  std::vector<bool> editable;
  // Keyed by column, then row.
  std::map<std::pair<int, int>, std::string> refusals;
  mutable bool failed = false;
  // SetRow is selecting: not the user.
  bool selecting = false;
};

TVirtualStringGrid::TVirtualStringGrid(TComponent* AOwner)
    : TControl(AOwner, MakeViewWidget()), FImpl(std::make_unique<Impl>(*this)) {
  QTableView& view = View(*this);
  view.setModel(FImpl.get());
  QObject::connect(view.selectionModel(), &QItemSelectionModel::selectionChanged, FImpl.get(),
                   [this](const QItemSelection& selected) {
                     if (FImpl->selecting || selected.isEmpty() || !OnSelectRow)
                       return;
                     const int row = selected.indexes().constFirst().row();
                     toolkit::Guarded([this, row] { OnSelectRow(row); })();
                   });
}

TVirtualStringGrid::~TVirtualStringGrid() {
  View(*this).setModel(nullptr);
}

int TVirtualStringGrid::ColCount() const {
  return FImpl->columnCount({});
}

void TVirtualStringGrid::SetColCount(int ACount) {
  if (ACount < 0)
    throw std::invalid_argument("TVirtualStringGrid.ColCount: " + std::to_string(ACount) +
                                " columns");
  FImpl->SetColumns(ACount);
}

int TVirtualStringGrid::RowCount() const {
  return FImpl->rows;
}

void TVirtualStringGrid::SetRowCount(int ACount) {
  if (ACount < 0)
    throw std::invalid_argument("TVirtualStringGrid.RowCount: " + std::to_string(ACount) + " rows");
  FImpl->SetRows(ACount);
}

std::string TVirtualStringGrid::ColTitle(int ACol) const {
  CheckIndex("TVirtualStringGrid.ColTitle", ACol, ColCount());
  return FImpl->titles[static_cast<std::size_t>(ACol)];
}

void TVirtualStringGrid::SetColTitle(int ACol, const std::string& ATitle) {
  CheckIndex("TVirtualStringGrid.ColTitle", ACol, ColCount());
  FImpl->titles[static_cast<std::size_t>(ACol)] = ATitle;
  emit FImpl->headerDataChanged(Qt::Horizontal, ACol, ACol);
}

int TVirtualStringGrid::ColWidths(int ACol) const {
  CheckIndex("TVirtualStringGrid.ColWidths", ACol, ColCount());
  return View(*this).columnWidth(ACol);
}

void TVirtualStringGrid::SetColWidths(int ACol, int AWidth) {
  CheckIndex("TVirtualStringGrid.ColWidths", ACol, ColCount());
  View(*this).setColumnWidth(ACol, AWidth);
}

bool TVirtualStringGrid::ColEditable(int ACol) const {
  CheckIndex("TVirtualStringGrid.ColEditable", ACol, ColCount());
  return FImpl->editable[static_cast<std::size_t>(ACol)];
}

void TVirtualStringGrid::SetColEditable(int ACol, bool AEditable) {
  CheckIndex("TVirtualStringGrid.ColEditable", ACol, ColCount());
  FImpl->editable[static_cast<std::size_t>(ACol)] = AEditable;
}

int TVirtualStringGrid::Row() const {
  const QModelIndexList rows = View(*this).selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void TVirtualStringGrid::SetRow(int ARow) {
  if (ARow != -1)
    CheckIndex("TVirtualStringGrid.Row", ARow, RowCount());
  QTableView& view = View(*this);
  FImpl->selecting = true;
  struct SelectingDone {
    Impl& impl;
    ~SelectingDone() { impl.selecting = false; }
  } done{*FImpl};
  if (ARow == -1) {
    view.clearSelection();
    return;
  }
  view.selectRow(ARow);
  view.scrollTo(FImpl->index(ARow, std::max(0, view.currentIndex().column())));
}

void TVirtualStringGrid::Invalidate() {
  FImpl->refusals.clear();
  FImpl->failed = false;
  if (RowCount() > 0 && ColCount() > 0)
    emit FImpl->dataChanged(FImpl->index(0, 0), FImpl->index(RowCount() - 1, ColCount() - 1));
}

bool TVirtualStringGrid::EditCell(int ACol, int ARow, const std::string& AText) {
  CheckIndex("TVirtualStringGrid.EditCell", ACol, ColCount());
  CheckIndex("TVirtualStringGrid.EditCell", ARow, RowCount());
  if (!ColEditable(ACol))
    throw std::invalid_argument("TVirtualStringGrid.EditCell: column " + std::to_string(ACol) +
                                " is not editable");
  const std::string refusal = OnSetText ? OnSetText(ACol, ARow, AText) : std::string();
  if (refusal.empty())
    FImpl->refusals.erase({ACol, ARow});
  else
    FImpl->refusals[{ACol, ARow}] = refusal;
  FImpl->CellChanged(ACol, ARow);
  return refusal.empty();
}

std::string TVirtualStringGrid::CellRefusal(int ACol, int ARow) const {
  CheckIndex("TVirtualStringGrid.CellRefusal", ACol, ColCount());
  CheckIndex("TVirtualStringGrid.CellRefusal", ARow, RowCount());
  const auto refusal = FImpl->refusals.find({ACol, ARow});
  return refusal == FImpl->refusals.end() ? std::string() : refusal->second;
}

} // namespace kiv
