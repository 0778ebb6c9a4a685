#pragma once

// Toolkit: the grids (TCustomGrid, TDrawGrid, TStringGrid).

#include "framework/toolkit/Control.h"

#include <string>

namespace kiv {

// A table of columns and rows whose column widths can be read and set; which kind of grid it is
// tells what it shows in its cells.
class TCustomGrid : public TControl {
public:
  int ColCount() const;
  void SetColCount(int ACount);
  int RowCount() const;
  void SetRowCount(int ACount);
  // The width of column ACol in pixels.
  int ColWidths(int ACol) const;
  void SetColWidths(int ACol, int AWidth);

protected:
  explicit TCustomGrid(TComponent* AOwner);
};

// A grid whose cells its owner draws: it holds no texts of its own.
class TDrawGrid : public TCustomGrid {
public:
  explicit TDrawGrid(TComponent* AOwner);
};

// A grid that holds a text in every cell.
class TStringGrid : public TDrawGrid {
public:
  explicit TStringGrid(TComponent* AOwner);
  std::string Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const std::string& AText);
};

} // namespace kiv
