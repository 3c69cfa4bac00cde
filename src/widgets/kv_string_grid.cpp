#include "widgets/kv_string_grid.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QScopedValueRollback>
#include <algorithm>
#include <optional>
#include <string>

#include "document/errors.h"
#include "widgets/grid_cell_delegate.h"
#include "widgets/grid_draw_flags.h"
#include "widgets/grid_header.h"
#include "widgets/grid_navigation.h"
#include "widgets/inplace_edit.h"
#include "widgets/string_cell_model.h"

namespace qarn {

namespace {

// A fresh grid has the string grid's usual five columns and rows.
constexpr int kInitialCount = 5;

// A third of the highlight over the cell's own colour: pale enough for the normal text colour.
QColor Blend(const QColor& highlight, const QColor& plain) {
  const auto mix = [](int h, int p) { return (h + 2 * p) / 3; };
  return QColor(mix(highlight.red(), plain.red()), mix(highlight.green(), plain.green()),
                mix(highlight.blue(), plain.blue()));
}

}  // namespace

tKvStringGrid::tKvStringGrid(QWidget* parent) : QTableView(parent) {
  model_ = new tStringCellModel(this, this);
  delegate_ = new tGridCellDelegate(this);
  SetUpView();
  SetColCount(kInitialCount);
  SetRowCount(kInitialCount);
  SetDefaultRowHeight(defaultRowHeight_);
}

tKvStringGrid::~tKvStringGrid() {
  SaveColumnStates();
  model_->DetachSource();
  qDeleteAll(definitions_);
}

void tKvStringGrid::SetUpView() {
  setHorizontalHeader(new tGridHeader(Qt::Horizontal, this));
  rowHeader_ = new tGridHeader(Qt::Vertical, this);
  setVerticalHeader(rowHeader_);
  setModel(model_);
  setItemDelegate(delegate_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setShowGrid(true);
  setWordWrap(false);
  // Scrolling by whole columns never reaches the end of a column wider than the view.
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setCornerButtonEnabled(false);
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(QHeaderView::Fixed);
  }
  horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
  QPalette rowNumbers = verticalHeader()->palette();
  rowNumbers.setColor(QPalette::ButtonText, Qt::black);
  verticalHeader()->setPalette(rowNumbers);
  corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  if (corner_) corner_->installEventFilter(this);
  connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &tKvStringGrid::OnSectionMoved);
}

int tKvStringGrid::ColCount() const {
  return model_->GridColCount();
}

int tKvStringGrid::RowCount() const {
  return model_->GridRowCount();
}

void tKvStringGrid::SetColCount(int count) {
  count = std::max(count, 1);
  if (count == ColCount()) return;
  KeepCurrentCell([&] {
    if (Col() >= count) MoveCurrentTo(FirstSelectableCol(count - 1), Row());
    model_->SetGridSize(count, RowCount());
    colWidths_.resize(count, defaultColWidth_);
    ApplyAllColumnWidths();
    EnsureCurrentCell();
  });
}

void tKvStringGrid::SetRowCount(int count) {
  count = std::max(count, 1);
  if (count != RowCount()) {
    KeepCurrentCell([&] {
      ClampCurrentRow(count - 1);
      model_->SetGridSize(ColCount(), count);
      EnsureCurrentCell();
    });
  }
  // The owner's texts may come from elsewhere and have changed with the count.
  model_->ContentChanged();
}

void tKvStringGrid::ClampCurrentRow(int dataRows) {
  if (dataRows > 0 && Row() > dataRows) MoveCurrentTo(Col(), dataRows);
}

int tKvStringGrid::Row() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() + 1 : 0;
}

int tKvStringGrid::Col() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.column() + 1 : 0;
}

void tKvStringGrid::SetRow(int row) {
  if (row == Row()) return;
  CheckRow(row);
  if (Col() > 0 && CanSelectCell(Col(), row)) MoveCurrentTo(Col(), row);
}

void tKvStringGrid::SetCol(int col) {
  if (col == Col()) return;
  CheckCol(col);
  if (!CanSelectCell(col, Row())) return;
  preferredCol_ = col;
  if (Row() > 0) MoveCurrentTo(col, Row());
}

void tKvStringGrid::CheckCol(int col) const {
  if (col >= FixedCols() && col < ColCount()) return;
  throw ListIndexError("grid column " + std::to_string(col) + " cannot be current; the grid has " +
                       std::to_string(ColCount()) + " columns.");
}

void tKvStringGrid::CheckRow(int row) const {
  if (row >= FixedRows() && row < RowCount()) return;
  throw ListIndexError("grid row " + std::to_string(row) + " cannot be current; the grid has " +
                       std::to_string(RowCount()) + " rows.");
}

QString tKvStringGrid::Cells(int col, int row) const {
  return model_->Cell(col, row);
}

void tKvStringGrid::SetCells(int col, int row, const QString& text) {
  model_->SetCell(col, row, text);
}

void tKvStringGrid::RepaintChangedTexts() {
  const auto textOf = [this](QPoint cell) { return GetCellDrawText(cell.x(), cell.y()); };
  for (const QPoint& cell : shownTexts_.Changed(CellsInView(), textOf)) RepaintCell(cell);
}

std::vector<QPoint> tKvStringGrid::CellsInView() const {
  std::vector<QPoint> cells;
  const int first = rowAt(0);
  if (first < 0) return cells;
  const int bottom = rowAt(viewport()->height() - 1);
  const int last = bottom < 0 ? model_->rowCount() - 1 : bottom;
  const bool numbers = !rowHeader_->isHidden();
  for (int section = first; section <= last; ++section) {
    const int row = section + FixedRows();
    if (numbers) cells.emplace_back(0, row);
    for (int col = FixedCols(); col < ColCount(); ++col) {
      if (ColumnInView(col - FixedCols())) cells.emplace_back(col, row);
    }
  }
  return cells;
}

bool tKvStringGrid::ColumnInView(int section) const {
  const int left = columnViewportPosition(section);
  return !isColumnHidden(section) && left < viewport()->width() && left + columnWidth(section) > 0;
}

void tKvStringGrid::RepaintCell(QPoint cell) {
  if (cell.x() < FixedCols()) {
    rowHeader_->RepaintSection(cell.y() - FixedRows());
  } else {
    update(CellIndex(cell.x(), cell.y()));
  }
}

void tKvStringGrid::SetDefaultRowHeight(int height) {
  defaultRowHeight_ = std::max(height, 1);
  verticalHeader()->setDefaultSectionSize(defaultRowHeight_);
  horizontalHeader()->setFixedHeight(defaultRowHeight_);
}

void tKvStringGrid::SetEditable(bool editable) {
  model_->SetEditable(editable);
  setEditTriggers(editable ? DoubleClicked | EditKeyPressed | AnyKeyPressed : NoEditTriggers);
}

bool tKvStringGrid::CanSelectCell(int col, int) const {
  return col >= 0 && col < ColCount() && ColWidths(col) > 0;
}

QModelIndex tKvStringGrid::CellIndex(int col, int row) const {
  return model_->index(row - FixedRows(), col - FixedCols());
}

void tKvStringGrid::MoveCurrentTo(int col, int row) {
  const QModelIndex target = CellIndex(col, row);
  if (target.isValid()) setCurrentIndex(target);
}

void tKvStringGrid::NotifyClick() {
  if (OnClick) OnClick(this);
  emit Clicked();
}

// Runs a change of the grid's shape without notifying each step; afterwards one click tells the
// owner if the current cell moved from one data cell to another.
void tKvStringGrid::KeepCurrentCell(const std::function<void()>& change) {
  const int oldCol = Col();
  const int oldRow = Row();
  {
    const QScopedValueRollback quiet(quietDepth_, quietDepth_ + 1);
    change();
  }
  if (oldRow > 0 && Row() > 0 && (oldRow != Row() || oldCol != Col())) NotifyClick();
}

// Qt moves the current cell in the middle of its own key and mouse handling; the owner hears of
// it once that handling is over, so that its reaction (which may reshape the grid) is safe.
void tKvStringGrid::DeferClicks(const std::function<void()>& handler, bool clickAnyway) {
  const bool outermost = deferDepth_ == 0;
  if (outermost) clickPending_ = false;
  {
    const QScopedValueRollback defer(deferDepth_, deferDepth_ + 1);
    handler();
  }
  if (!outermost || !(clickPending_ || clickAnyway)) return;
  clickPending_ = false;
  NotifyClick();
}

void tKvStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (current.isValid()) preferredCol_ = current.column() + FixedCols();
  if (quietDepth_ > 0 || !current.isValid() || !previous.isValid() || current == previous) return;
  if (deferDepth_ > 0) {
    clickPending_ = true;
    return;
  }
  NotifyClick();
}

// A grid with data cells always has a current cell; the first one is the grid's own start, not
// a move, so it is made silently.
void tKvStringGrid::EnsureCurrentCell() {
  if (currentIndex().isValid() || RowCount() <= FixedRows() || ColCount() <= FixedCols()) return;
  const QScopedValueRollback quiet(quietDepth_, quietDepth_ + 1);
  MoveCurrentTo(FirstSelectableCol(std::min(preferredCol_, ColCount() - 1)), FixedRows());
}

int tKvStringGrid::FirstSelectableCol(int preferred) const {
  const int count = ColCount() - FixedCols();
  for (int step = 0; step < count; ++step) {
    const int col = FixedCols() + (preferred - FixedCols() + step) % count;
    if (CanSelectCell(col, FixedRows())) return col;
  }
  return preferred;
}

QModelIndex tKvStringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const tGridCell from{Col(), Row()};
  if (from.row == 0) return QTableView::moveCursor(action, modifiers);
  const tGridShape shape{FixedCols(), FixedRows(), ColCount(), RowCount()};
  const tCellAcceptor accept = [this](int col, int row) { return CanSelectCell(col, row); };
  tGridCell to;
  switch (action) {
    case MoveUp:
      to = WrapVertical(from, -1, shape, accept);
      break;
    case MoveDown:
      to = WrapVertical(from, 1, shape, accept);
      break;
    case MoveNext:
      to = WrapTab(from, false, shape, accept);
      break;
    case MovePrevious:
      to = WrapTab(from, true, shape, accept);
      break;
    default:
      return QTableView::moveCursor(action, modifiers);
  }
  return CellIndex(to.col, to.row);
}

void tKvStringGrid::keyPressEvent(QKeyEvent* event) {
  // Alt+Tab belongs to the desktop, not to the grid's Tab walk.
  if (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::AltModifier)) {
    event->ignore();
    return;
  }
  DeferClicks([&] { QTableView::keyPressEvent(event); }, false);
}

void tKvStringGrid::mousePressEvent(QMouseEvent* event) {
  struct EditedCell {
    int col, row;
    QString text;
  };
  std::optional<EditedCell> edited;
  if (tNewInplaceEdit* editor = delegate_->OpenEditor()) edited = {Col(), Row(), editor->text()};
  const bool onCell =
      event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
  DeferClicks([&] { QTableView::mousePressEvent(event); }, onCell);
  if (!edited) return;
  ExitCell(edited->col, edited->row, edited->text);
  // Pressed on the cell being edited: the editing goes on.
  if (tNewInplaceEdit* editor = delegate_->OpenEditor()) editor->setFocus(Qt::MouseFocusReason);
}

void tKvStringGrid::mouseMoveEvent(QMouseEvent* event) {
  DeferClicks([&] { QTableView::mouseMoveEvent(event); }, false);
}

void tKvStringGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  DeferClicks([&] { QTableView::closeEditor(editor, hint); }, false);
}

void tKvStringGrid::contextMenuEvent(QContextMenuEvent* event) {
  if (!popupMenu_) {
    QTableView::contextMenuEvent(event);
    return;
  }
  popupMenu_->popup(event->globalPos());
  event->accept();
}

void tKvStringGrid::ExitCell(int col, int row, const QString& text) {
  if (OnExitCell) OnExitCell(this, col, row, text);
}

int32_t tKvStringGrid::GetCellDrawFlags(int col, int row) {
  int32_t flags = col >= 0 && col < definitions_.size() ? definitions_[col]->DrawFlags : 0;
  if (OnGetCellDrawFlags) flags = OnGetCellDrawFlags(col, row);
  return flags;
}

QString tKvStringGrid::GetCellDrawText(int col, int row) {
  QString text = col >= 0 && col < ColCount() ? Cells(col, row) : QString();
  if (OnGetCellDrawText) text = OnGetCellDrawText(col, row);
  return text;
}

QColor tKvStringGrid::GetCellDrawFontColor(int col, int row) {
  return OnGetCellDrawFontColor ? OnGetCellDrawFontColor(col, row) : canvasFontColor_;
}

QColor tKvStringGrid::GetCellDrawColor(int col, int row) {
  return OnGetCellDrawColor ? OnGetCellDrawColor(col, row) : palette().color(QPalette::Base);
}

QColor tKvStringGrid::GetCellDrawFocusedColor(int col, int row) {
  if (OnGetCellDrawFocusedColor) return OnGetCellDrawFocusedColor(col, row);
  return palette().color(QPalette::Highlight);
}

QString tKvStringGrid::GetEditMask(int col, int) {
  return col >= 0 && col < definitions_.size() ? definitions_[col]->EditMask : QString();
}

tKvStringGrid::tCellLook tKvStringGrid::CellLook(int col, int row, tRowMark mark) {
  tCellLook look;
  switch (mark) {
    case tRowMark::None:
      look.background = GetCellDrawColor(col, row);
      break;
    case tRowMark::Focused:
      look.background = GetCellDrawFocusedColor(col, row);
      break;
    case tRowMark::Unfocused:
      look.background = Blend(GetCellDrawFocusedColor(col, row), GetCellDrawColor(col, row));
      break;
  }
  canvasFontColor_ =
      palette().color(mark == tRowMark::Focused ? QPalette::HighlightedText : QPalette::Text);
  look.flags = GetCellDrawFlags(col, row);
  if (look.flags == 0) look.flags = kDtDefaultCell;
  look.font = GetCellDrawFontColor(col, row);
  return look;
}

QString tKvStringGrid::CellDisplayText(int col, int row) {
  return GetCellDrawText(col, row);
}

QString tKvStringGrid::CellHint(int col, int row) {
  return OnGetCellHint ? OnGetCellHint(col, row) : QString();
}

int tKvStringGrid::CellTextFlags(int col, int row) {
  return QtTextFlags(GetCellDrawFlags(col, row));
}

// Fixed cells are drawn in black on the button face unless the owner says otherwise. Black is
// the row header's own text colour, so only another colour needs a section palette of its own:
// the style caches drawn sections by palette, and a palette per row would miss on every row.
QColor tKvStringGrid::FixedCellFontColor(int row) {
  canvasFontColor_ = QColor(Qt::black);
  const QColor colour = GetCellDrawFontColor(0, row);
  return colour == verticalHeader()->palette().color(QPalette::ButtonText) ? QColor() : colour;
}

}  // namespace qarn
