#include "widgets/grid_navigation.h"

namespace qarn {

namespace {

int NextRow(int row, int step, const tGridShape& shape) {
  row += step;
  if (row < shape.fixedRows) return shape.rowCount - 1;
  if (row >= shape.rowCount) return shape.fixedRows;
  return row;
}

tGridCell NextTabCell(tGridCell cell, bool backwards, const tGridShape& shape) {
  cell.col += backwards ? -1 : 1;
  if (cell.col < shape.fixedCols) {
    cell.col = shape.colCount - 1;
    cell.row = NextRow(cell.row, -1, shape);
  } else if (cell.col >= shape.colCount) {
    cell.col = shape.fixedCols;
    cell.row = NextRow(cell.row, 1, shape);
  }
  return cell;
}

bool HasDataCells(const tGridShape& shape) {
  return shape.colCount > shape.fixedCols && shape.rowCount > shape.fixedRows;
}

}  // namespace

tGridCell WrapVertical(tGridCell from, int step, const tGridShape& shape,
                       const tCellAcceptor& accept) {
  if (!HasDataCells(shape) || step == 0) return from;
  tGridCell cell = from;
  do {
    cell.row = NextRow(cell.row, step, shape);
  } while (!accept(cell.col, cell.row) && cell.row != from.row);
  return accept(cell.col, cell.row) ? cell : from;
}

tGridCell WrapTab(tGridCell from, bool backwards, const tGridShape& shape,
                  const tCellAcceptor& accept) {
  if (!HasDataCells(shape)) return from;
  tGridCell cell = from;
  do {
    cell = NextTabCell(cell, backwards, shape);
  } while (!accept(cell.col, cell.row) && cell.col != from.col);
  return accept(cell.col, cell.row) ? cell : from;
}

}  // namespace qarn
