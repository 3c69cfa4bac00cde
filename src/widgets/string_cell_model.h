#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

namespace qarn {

class tGridCellSource;

// The cells of a tKvStringGrid. The grid's fixed column and caption row are the view's headers, so
// model row r - 1 and model column c - 1 show grid row r and grid column c. Cells are stored as
// plain strings, one vector per grid column, so a large row count costs no per-cell allocation;
// what is displayed comes from the grid (its draw-text query), which may read elsewhere.
class tStringCellModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit tStringCellModel(tGridCellSource* source, QObject* parent = nullptr);

  int GridColCount() const { return static_cast<int>(columns_.size()); }
  int GridRowCount() const { return rows_; }
  // Counts include the fixed column and the caption row; both stay at least 1.
  void SetGridSize(int cols, int rows);
  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  void MoveGridColumn(int from, int to);
  void SetEditable(bool editable) { editable_ = editable; }
  // The source may answer differently now: repaint whatever shows.
  void ContentChanged();
  void TitlesChanged();
  // Called while the grid goes away, so that no late paint asks a half-destroyed grid.
  void DetachSource() { source_ = nullptr; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 private:
  void SetGridRows(int rows);
  void SetGridCols(int cols);
  QVariant RowHeaderData(int row, int role) const;
  bool InGrid(int col, int row) const;

  tGridCellSource* source_;
  std::vector<std::vector<QString>> columns_;  // columns_[col][row], grid numbering
  int rows_ = 1;
  bool editable_ = false;
};

}  // namespace qarn
