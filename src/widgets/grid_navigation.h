#pragma once

#include <functional>

namespace qarn {

struct tGridCell {
  int col = 0;
  int row = 0;
  friend bool operator==(const tGridCell&, const tGridCell&) = default;
};

// The grid's shape as its keys see it: counts include the fixed columns and rows.
struct tGridShape {
  int fixedCols = 1;
  int fixedRows = 1;
  int colCount = 1;
  int rowCount = 1;
};

using tCellAcceptor = std::function<bool(int col, int row)>;

// The cell Up (step -1) or Down (step +1) leads to: rows wrap around from the last data row to
// the first and back, skipping cells the acceptor refuses; from the current row, no move.
tGridCell WrapVertical(tGridCell from, int step, const tGridShape& shape,
                       const tCellAcceptor& accept);

// The cell Tab (or Shift+Tab when backwards) leads to: columns wrap into the next (previous) row
// and rows wrap around the data rows, skipping refused cells, until back at the current column.
tGridCell WrapTab(tGridCell from, bool backwards, const tGridShape& shape,
                  const tCellAcceptor& accept);

}  // namespace qarn
