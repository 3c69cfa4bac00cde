#include "widgets/string_cell_model.h"

#include <algorithm>

#include "widgets/grid_cell_source.h"

namespace qarn {

tStringCellModel::tStringCellModel(tGridCellSource* source, QObject* parent)
    : QAbstractTableModel(parent), source_(source), columns_(1, std::vector<QString>(1)) {}

void tStringCellModel::SetGridSize(int cols, int rows) {
  SetGridRows(std::max(rows, 1));
  SetGridCols(std::max(cols, 1));
}

void tStringCellModel::SetGridRows(int rows) {
  if (rows == rows_) return;
  if (rows > rows_) {
    beginInsertRows(QModelIndex(), rows_ - 1, rows - 2);
  } else {
    beginRemoveRows(QModelIndex(), rows - 1, rows_ - 2);
  }
  for (auto& column : columns_) column.resize(rows);
  const bool inserting = rows > rows_;
  rows_ = rows;
  if (inserting) {
    endInsertRows();
  } else {
    endRemoveRows();
  }
}

void tStringCellModel::SetGridCols(int cols) {
  const int old = GridColCount();
  if (cols == old) return;
  if (cols > old) {
    beginInsertColumns(QModelIndex(), old - 1, cols - 2);
    columns_.resize(cols, std::vector<QString>(rows_));
    endInsertColumns();
    return;
  }
  beginRemoveColumns(QModelIndex(), cols - 1, old - 2);
  columns_.resize(cols);
  endRemoveColumns();
}

bool tStringCellModel::InGrid(int col, int row) const {
  return col >= 0 && col < GridColCount() && row >= 0 && row < rows_;
}

QString tStringCellModel::Cell(int col, int row) const {
  return InGrid(col, row) ? columns_[col][row] : QString();
}

void tStringCellModel::SetCell(int col, int row, const QString& text) {
  if (!InGrid(col, row)) return;
  columns_[col][row] = text;
  if (col == 0 && row > 0) emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
  if (col > 0 && row > 0) emit dataChanged(index(row - 1, col - 1), index(row - 1, col - 1));
}

void tStringCellModel::MoveGridColumn(int from, int to) {
  if (from == to || !InGrid(from, 0) || !InGrid(to, 0)) return;
  const auto first = columns_.begin();
  if (from < to) {
    std::rotate(first + from, first + from + 1, first + to + 1);
  } else {
    std::rotate(first + to, first + from, first + from + 1);
  }
  TitlesChanged();
  ContentChanged();
}

void tStringCellModel::ContentChanged() {
  if (rows_ < 2) return;
  emit headerDataChanged(Qt::Vertical, 0, rows_ - 2);
  if (GridColCount() > 1) emit dataChanged(index(0, 0), index(rows_ - 2, GridColCount() - 2));
}

void tStringCellModel::TitlesChanged() {
  if (GridColCount() > 1) emit headerDataChanged(Qt::Horizontal, 0, GridColCount() - 2);
}

int tStringCellModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_ - 1;
}

int tStringCellModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : GridColCount() - 1;
}

QVariant tStringCellModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  if (role == Qt::EditRole) return Cell(col, row);
  if (!source_) return {};
  if (role == Qt::DisplayRole) return source_->CellDisplayText(col, row);
  if (role == Qt::ToolTipRole) {
    const QString hint = source_->CellHint(col, row);
    return hint.isEmpty() ? QVariant() : QVariant(hint);
  }
  return {};
}

QVariant tStringCellModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (!source_) return {};
  if (orientation == Qt::Vertical) return RowHeaderData(section + 1, role);
  if (role == Qt::DisplayRole) return source_->ColumnTitle(section + 1);
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

// The row header is the grid's fixed column: its cells are drawn like any other cell text.
QVariant tStringCellModel::RowHeaderData(int row, int role) const {
  switch (role) {
    case Qt::DisplayRole:
      return source_->CellDisplayText(0, row);
    case Qt::TextAlignmentRole:
      return int(source_->CellTextFlags(0, row) &
                 (Qt::AlignHorizontal_Mask | Qt::AlignTop | Qt::AlignBottom | Qt::AlignVCenter));
    case Qt::ForegroundRole: {
      const QColor colour = source_->FixedCellFontColor(row);
      return colour.isValid() ? QVariant(colour) : QVariant();
    }
    default:
      return {};
  }
}

Qt::ItemFlags tStringCellModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  return editable_ ? base | Qt::ItemIsEditable : base;
}

bool tStringCellModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  SetCell(index.column() + 1, index.row() + 1, value.toString());
  return true;
}

}  // namespace qarn
