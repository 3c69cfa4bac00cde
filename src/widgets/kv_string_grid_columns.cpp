// tKvStringGrid: column widths and definitions, the hide-columns menu, the saved column
// visibility, column moves and the caption over the fixed column.
#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QPaintEvent>
#include <QSignalBlocker>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <algorithm>
#include <string>

#include "document/errors.h"
#include "widgets/grid_cell_delegate.h"
#include "widgets/grid_registry.h"
#include "widgets/inplace_edit.h"
#include "widgets/kv_string_grid.h"
#include "widgets/string_cell_model.h"

namespace qarn {

namespace {

QString VisibilityValueName(int32_t columnId) {
  return QString::number(columnId) + QStringLiteral(".Sichtbar");
}

template <typename T>
void MoveElement(T& list, int from, int to) {
  const auto first = list.begin();
  if (from < to) {
    std::rotate(first + from, first + from + 1, first + to + 1);
  } else {
    std::rotate(first + to, first + from, first + from + 1);
  }
}

}  // namespace

int tKvStringGrid::ColWidths(int col) const {
  if (col < 0 || col >= static_cast<int>(colWidths_.size())) return defaultColWidth_;
  return colWidths_[col];
}

void tKvStringGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= ColCount()) {
    throw ListIndexError("grid column " + std::to_string(col) + " does not exist; the grid has " +
                         std::to_string(ColCount()) + " columns.");
  }
  colWidths_[col] = std::max(width, 0);
  ApplyColumnWidth(col);
  if (colWidths_[col] == 0) LeaveHiddenColumn(col);
}

void tKvStringGrid::SetDefaultColWidth(int width) {
  defaultColWidth_ = std::max(width, 0);
  horizontalHeader()->setDefaultSectionSize(std::max(defaultColWidth_, 1));
}

// The fixed column is the row header; the others are sections of the column header.
void tKvStringGrid::ApplyColumnWidth(int col) {
  const int width = colWidths_[col];
  if (col < FixedCols()) {
    if (width > 0) verticalHeader()->setFixedWidth(width);
    verticalHeader()->setVisible(width > 0);
    return;
  }
  const int section = col - FixedCols();
  horizontalHeader()->setSectionHidden(section, width == 0);
  if (width > 0) horizontalHeader()->resizeSection(section, width);
}

void tKvStringGrid::ApplyAllColumnWidths() {
  for (int col = 0; col < static_cast<int>(colWidths_.size()); ++col) ApplyColumnWidth(col);
}

// A hidden column must not stay current: the current cell moves on to the next shown column.
void tKvStringGrid::LeaveHiddenColumn(int col) {
  if (col != Col()) return;
  const int next = FirstSelectableCol(col);
  if (next != col) KeepCurrentCell([&] { MoveCurrentTo(next, Row()); });
}

void tKvStringGrid::AddColumn(const QString& title, const QString& menuCaption,
                              const QString& editMask, int32_t width, int32_t columnId,
                              int32_t drawFlags, bool shown, bool inMenu) {
  // Checked first, so that the definitions never outnumber the columns they belong to.
  if (addedColumns_ >= ColCount()) {
    throw ListIndexError("cannot add column " + std::to_string(addedColumns_ + 1) +
                         "; the grid has " + std::to_string(ColCount()) + " columns.");
  }
  shown = ReadShown(columnId, shown);
  definitions_.append(new tColDefinition{title, columnId, drawFlags, editMask, true, 0});
  SetColWidths(addedColumns_, width);
  ++addedColumns_;
  model_->TitlesChanged();
  if (corner_) corner_->update();
  if (hideColumnsMenu_ && inMenu) AddMenuEntry(menuCaption, columnId, shown);
}

void tKvStringGrid::Loaded() {
  if (FixedCols() > 0 && ColCount() > FixedCols()) SetCol(FixedCols());
  if (FixedRows() > 0 && RowCount() > FixedRows()) SetRow(FixedRows());
  hideColumnsMenu_ = nullptr;
  if (!popupMenu_ && contextMenuPolicy() == Qt::DefaultContextMenu && autoPopupHideCols_) {
    hideColumnsMenu_ = new QMenu(this);
    hideColumnsMenu_->setObjectName(QStringLiteral("HideColPopup"));
    popupMenu_ = hideColumnsMenu_;
  }
  if (OnDefineCols) OnDefineCols(this);
}

void tKvStringGrid::AddMenuEntry(const QString& caption, int32_t columnId, bool shown) {
  auto* entry = new QAction(caption, hideColumnsMenu_);
  entry->setObjectName(QStringLiteral("Col_") + QString::number(columnId));
  entry->setCheckable(true);
  entry->setChecked(true);
  entry->setData(columnId);
  // Qt flips the check mark itself before triggered; ColumnMenuClick does the flipping here.
  connect(entry, &QAction::triggered, this, [this, entry](bool checked) {
    entry->setChecked(!checked);
    ColumnMenuClick(entry);
  });
  hideColumnsMenu_->addAction(entry);
  if (!shown) ColumnMenuClick(entry);
}

void tKvStringGrid::ColumnMenuClick(QAction* entry) {
  if (!entry) return;
  const int32_t id = entry->data().toInt();
  const auto found = std::find_if(definitions_.begin(), definitions_.end(),
                                  [id](const tColDefinition* d) { return d->ColumnId == id; });
  if (found == definitions_.end()) return;
  tColDefinition& definition = **found;
  const int col = static_cast<int>(found - definitions_.begin());
  entry->setChecked(!entry->isChecked());
  definition.Shown = entry->isChecked();
  if (col < ColCount()) {
    if (!definition.Shown) {
      definition.SavedWidth = ColWidths(col);
      SetColWidths(col, 0);
    } else {
      SetColWidths(col, definition.SavedWidth > 0 ? definition.SavedWidth : defaultColWidth_);
    }
  }
  ColumnVisibilityChanged();
}

bool tKvStringGrid::ReadShown(int32_t columnId, bool fallback) const {
  if (registryKey_.isEmpty()) return fallback;
  tGridRegistry registry;
  if (!registry.Open(registryKey_, false)) return fallback;
  return registry.ReadBool(VisibilityValueName(columnId), fallback);
}

void tKvStringGrid::SaveColumnStates() const {
  if (definitions_.isEmpty() || registryKey_.isEmpty()) return;
  tGridRegistry registry;
  if (!registry.Open(registryKey_, true)) return;
  for (const tColDefinition* definition : definitions_) {
    registry.WriteBool(VisibilityValueName(definition->ColumnId), definition->Shown);
  }
}

void tKvStringGrid::SetColumnsMovable(bool movable) {
  horizontalHeader()->setSectionsMovable(movable);
}

// The header only reorders its sections on screen; the grid moves the column itself instead,
// so that column numbers, cells, widths and definitions always agree.
void tKvStringGrid::OnSectionMoved(int, int oldVisual, int newVisual) {
  {
    const QSignalBlocker blocker(horizontalHeader());
    horizontalHeader()->moveSection(newVisual, oldVisual);
  }
  MoveColumn(oldVisual + FixedCols(), newVisual + FixedCols());
}

void tKvStringGrid::MoveColumn(int from, int to) {
  if (from == to) return;
  CheckCol(from);
  CheckCol(to);
  CloseOpenEditor();
  model_->MoveGridColumn(from, to);
  MoveElement(colWidths_, from, to);
  ApplyAllColumnWidths();
  MoveDefinition(from, to);
  FollowMovedColumn(from, to);
  if (corner_) corner_->update();
}

// Definitions move with their columns when both positions have one; a column without a
// definition has nothing to carry along.
void tKvStringGrid::MoveDefinition(int from, int to) {
  if (from >= definitions_.size() || to >= definitions_.size()) return;
  MoveElement(definitions_, from, to);
}

// The current cell stays on the same cell content, which is no move the owner must hear of.
void tKvStringGrid::FollowMovedColumn(int from, int to) {
  const int col = Col();
  if (col == 0) return;
  int moved = col;
  if (col == from) {
    moved = to;
  } else if (from < col && col <= to) {
    moved = col - 1;
  } else if (to <= col && col < from) {
    moved = col + 1;
  }
  if (moved == col) return;
  KeepCurrentCell([&] { MoveCurrentTo(moved, Row()); });
}

void tKvStringGrid::CloseOpenEditor() {
  tNewInplaceEdit* editor = delegate_->OpenEditor();
  if (!editor) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QString tKvStringGrid::ColumnTitle(int col) {
  return col >= 0 && col < definitions_.size() ? definitions_[col]->Title : QString();
}

bool tKvStringGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == corner_ && event->type() == QEvent::Paint) {
    PaintCorner();
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

// The corner over the fixed column is the caption of column 0. The corner button itself is
// disabled (it takes no clicks), so it is drawn with the colours of the enabled header beside it.
void tKvStringGrid::PaintCorner() {
  QStylePainter painter(corner_);
  QStyleOptionHeader option;
  option.initFrom(horizontalHeader());
  option.state |= QStyle::State_Enabled;
  option.rect = corner_->rect();
  option.text = ColumnTitle(0);
  option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  option.position = QStyleOptionHeader::OnlyOneSection;
  painter.drawControl(QStyle::CE_Header, option);
}

}  // namespace qarn
