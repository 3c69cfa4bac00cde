#pragma once

#include <QColor>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QTableView>
#include <cstdint>
#include <functional>
#include <vector>

#include "widgets/col_definition.h"
#include "widgets/grid_cell_source.h"
#include "widgets/shown_texts.h"

class QAbstractButton;
class QAction;

namespace qarn {

class tGridCellDelegate;
class tGridHeader;
class tStringCellModel;

// The window's list widget: a string grid with one fixed column and one caption row. Its interface
// counts as the grid does: RowCount includes the caption row, row 1 is the first data row, and
// Cells(col, row) addresses the fixed column as col 0. On screen the caption row is the
// horizontal header (showing the column titles) and the fixed column the vertical header.
// A column of width 0 is hidden and never current; Up, Down and Tab wrap around the ends; every
// change of the current cell, and every mouse press on a data cell, notifies OnClick.
class tKvStringGrid : public QTableView, private tGridCellSource {
  Q_OBJECT

 public:
  // How one data cell is painted: the result of the per-cell queries.
  struct tCellLook {
    QColor background;
    QColor font;
    int32_t flags = 0;  // DrawText bits, never 0
  };

  explicit tKvStringGrid(QWidget* parent = nullptr);
  ~tKvStringGrid() override;

  int ColCount() const;
  void SetColCount(int count);
  int RowCount() const;
  // Keeps the current row unless it no longer exists; then the last row becomes current.
  void SetRowCount(int count);
  int FixedCols() const { return 1; }
  int FixedRows() const { return 1; }
  int Row() const;  // 0 while there is no data row
  void SetRow(int row);
  int Col() const;
  void SetCol(int col);
  QString Cells(int col, int row) const;
  void SetCells(int col, int row, const QString& text);
  // The owner's texts may have changed while the row count stayed: repaints the cells in view,
  // the row numbers included, whose draw text differs from the one they had at the last call.
  void RepaintChangedTexts();
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int height);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int width);
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);

  void AddColumn(const QString& title, const QString& menuCaption, const QString& editMask,
                 int32_t width, int32_t columnId, int32_t drawFlags, bool shown, bool inMenu);
  // The load step: the first data cell becomes current, the hide-columns menu is made when
  // asked for, and OnDefineCols runs. The owner calls it once after construction.
  void Loaded();
  const QList<tColDefinition*>& Definitions() const { return definitions_; }
  int AddedColumns() const { return addedColumns_; }
  bool AutoPopupHideCols() const { return autoPopupHideCols_; }
  void SetAutoPopupHideCols(bool on) { autoPopupHideCols_ = on; }
  QString RegistryKey() const { return registryKey_; }
  void SetRegistryKey(const QString& key) { registryKey_ = key; }
  int32_t EditLimit() const { return editLimit_; }
  void SetEditLimit(int32_t limit) { editLimit_ = limit; }
  void SetEditable(bool editable);
  void SetColumnsMovable(bool movable);
  // Moves column from to position to, with its cells, width and definition.
  void MoveColumn(int from, int to);
  QMenu* HideColumnsMenu() const { return hideColumnsMenu_; }
  // The selection rule: only a cell of a column wider than 0 may become current.
  bool CanSelectCell(int col, int row) const;
  // How a cell of the current row or any other cell looks; the current row of a grid without
  // the focus keeps a paler highlight, so the selection stays visible.
  enum class tRowMark { None, Focused, Unfocused };
  tCellLook CellLook(int col, int row, tRowMark mark);

  std::function<void(tKvStringGrid*)> OnClick;
  std::function<void(tKvStringGrid*, int col, int row, const QString& text)> OnExitCell;
  std::function<QString(int col, int row)> OnGetCellDrawText;
  // The tooltip of a data cell; none when unset or empty.
  std::function<QString(int col, int row)> OnGetCellHint;
  std::function<int32_t(int col, int row)> OnGetCellDrawFlags;
  std::function<QColor(int col, int row)> OnGetCellDrawFontColor;
  std::function<QColor(int col, int row)> OnGetCellDrawColor;
  std::function<QColor(int col, int row)> OnGetCellDrawFocusedColor;
  std::function<void(tKvStringGrid*)> OnDefineCols;

  virtual void ExitCell(int col, int row, const QString& text);
  // Runs after a column was hidden or shown.
  virtual void ColumnVisibilityChanged() {}
  virtual int32_t GetCellDrawFlags(int col, int row);
  virtual QString GetCellDrawText(int col, int row);
  // By default the font colour the cell is being drawn with.
  virtual QColor GetCellDrawFontColor(int col, int row);
  virtual QColor GetCellDrawColor(int col, int row);
  virtual QColor GetCellDrawFocusedColor(int col, int row);
  virtual QString GetEditMask(int col, int row);
  void ColumnMenuClick(QAction* entry);

 signals:
  void Clicked();

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  // Letters typed into the grid select nothing: no row jumps to a matching text.
  void keyboardSearch(const QString&) override {}
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString CellDisplayText(int col, int row) override;
  QString CellHint(int col, int row) override;
  QString ColumnTitle(int col) override;
  int CellTextFlags(int col, int row) override;
  QColor FixedCellFontColor(int row) override;

  void SetUpView();
  QModelIndex CellIndex(int col, int row) const;
  void CheckCol(int col) const;
  void CheckRow(int row) const;
  void MoveCurrentTo(int col, int row);
  void NotifyClick();
  void KeepCurrentCell(const std::function<void()>& change);
  void DeferClicks(const std::function<void()>& handler, bool clickAnyway);
  void EnsureCurrentCell();
  void ClampCurrentRow(int dataRows);
  void LeaveHiddenColumn(int col);
  int FirstSelectableCol(int preferred) const;
  void ApplyColumnWidth(int col);
  void ApplyAllColumnWidths();
  void OnSectionMoved(int logical, int oldVisual, int newVisual);
  void MoveDefinition(int from, int to);
  void FollowMovedColumn(int from, int to);
  void CloseOpenEditor();
  bool ReadShown(int32_t columnId, bool fallback) const;
  void AddMenuEntry(const QString& caption, int32_t columnId, bool shown);
  void SaveColumnStates() const;
  void PaintCorner();
  std::vector<QPoint> CellsInView() const;
  bool ColumnInView(int section) const;
  void RepaintCell(QPoint cell);

  tStringCellModel* model_ = nullptr;
  tGridCellDelegate* delegate_ = nullptr;
  tGridHeader* rowHeader_ = nullptr;
  tShownTexts shownTexts_;
  QAbstractButton* corner_ = nullptr;
  QList<tColDefinition*> definitions_;
  std::vector<int> colWidths_;
  QPointer<QMenu> popupMenu_;
  QPointer<QMenu> hideColumnsMenu_;
  QString registryKey_;
  QColor canvasFontColor_;
  int32_t editLimit_ = 0;
  int32_t addedColumns_ = 0;
  int defaultRowHeight_ = 24;
  int defaultColWidth_ = 64;
  int preferredCol_ = 1;
  int quietDepth_ = 0;
  int deferDepth_ = 0;
  bool clickPending_ = false;
  bool autoPopupHideCols_ = false;
};

}  // namespace qarn
