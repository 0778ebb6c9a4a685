#pragma once

// Toolkit: the grid whose texts the program supplies on demand (TVirtualStringGrid).

#include "framework/toolkit/Control.h"

#include <functional>
#include <memory>
#include <string>

namespace kiv {

// A grid whose texts the program supplies on demand: it keeps no cell text and asks only for the
// cells that show, so 100,000 rows cost no strings. One header row of column titles, no row
// titles; whole rows are selected, one at a time.
class TVirtualStringGrid : public TControl {
public:
  explicit TVirtualStringGrid(TComponent* AOwner);
  ~TVirtualStringGrid() override;

  int ColCount() const;
  void SetColCount(int ACount);
  int RowCount() const;
  void SetRowCount(int ACount);
  std::string ColTitle(int ACol) const;
  void SetColTitle(int ACol, const std::string& ATitle);
  // The width of column ACol in pixels.
  int ColWidths(int ACol) const;
  void SetColWidths(int ACol, int AWidth);
  // Whether the user may edit the column's cells (see OnSetText); no column to start with.
  bool ColEditable(int ACol) const;
  void SetColEditable(int ACol, bool AEditable);
  // The selected row (-1: none). SetRow selects and scrolls it into view without calling
  // OnSelectRow; -1 selects none.
  int Row() const;
  void SetRow(int ARow);
  // The texts changed: what shows is asked for again, and the refusals are forgotten.
  void Invalidate();
  // Types AText into the cell of an editable column, as the user's edit does (see OnSetText);
  // returns whether it was accepted. A column that is not editable fails.
  bool EditCell(int ACol, int ARow, const std::string& AText);
  // Why the last edit of the cell was refused; empty when its last edit was accepted or none was
  // made.
  std::string CellRefusal(int ACol, int ARow) const;

  // The text of a cell that shows. A failure here goes to the application's exception handler
  // once; until Invalidate, failing cells then show empty.
  std::function<std::string(int ACol, int ARow)> OnGetText;
  // An edit of a cell: return "" to accept (the grid then asks OnGetText again), else the reason
  // for refusing; the cell keeps its text and shows marked (red-tinted background) with the
  // reason as its tooltip until an edit of it is accepted or Invalidate. Without a handler every
  // edit is accepted.
  std::function<std::string(int ACol, int ARow, const std::string& AText)> OnSetText;
  // The user selected a row (click, keys).
  std::function<void(int ARow)> OnSelectRow;

private:
  struct Impl;
  std::unique_ptr<Impl> FImpl;
};

} // namespace kiv
