#include "widgets/grid_cell_delegate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStaticText>

#include "widgets/grid_draw_flags.h"
#include "widgets/inplace_edit.h"
#include "widgets/kv_string_grid.h"

namespace qarn {

namespace {

// DrawText leaves a margin of 2 pixels left and right and 1 pixel above and below the text.
QRect TextRect(const QRect& cell) {
  return cell.adjusted(2, 1, -2, -1);
}

}  // namespace

tGridCellDelegate::tGridCellDelegate(tKvStringGrid* grid)
    : QStyledItemDelegate(grid), grid_(grid) {}

void tGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  const int col = index.column() + 1;
  const int row = index.row() + 1;
  using Mark = tKvStringGrid::tRowMark;
  const bool marked = (option.state & QStyle::State_Selected) || index == grid_->currentIndex();
  const Mark mark = !marked ? Mark::None : grid_->hasFocus() ? Mark::Focused : Mark::Unfocused;
  const tKvStringGrid::tCellLook look = grid_->CellLook(col, row, mark);
  QString text = index.data(Qt::DisplayRole).toString();
  const QRect textRect = TextRect(option.rect);
  if ((look.flags & kDtEndEllipsis) && (look.flags & kDtSingleLine)) {
    text =
        option.fontMetrics.elidedText(text, Qt::ElideRight, textRect.width(), Qt::TextShowMnemonic);
  }
  painter->save();
  painter->fillRect(option.rect, look.background);
  painter->setFont(option.font);
  painter->setPen(look.font);
  painter->setClipRect(option.rect);
  const int flags = QtTextFlags(look.flags);
  // Wrapped text and '&' mnemonics need drawText's own layout.
  const bool mnemonic =
      (flags & (Qt::TextShowMnemonic | Qt::TextHideMnemonic)) && text.contains(QLatin1Char('&'));
  if ((flags & Qt::TextWordWrap) || mnemonic || text.isEmpty()) {
    painter->drawText(textRect, flags, text);
  } else {
    DrawKeptLayout(*painter, textRect, flags, text, option);
  }
  painter->restore();
}

// Shaping a cell's text costs more than the rest of painting it, and a click repaints cells whose
// texts did not change (the rows that gain or lose the highlight); their layouts are kept.
void tGridCellDelegate::DrawKeptLayout(QPainter& painter, const QRect& rect, int flags,
                                       const QString& text,
                                       const QStyleOptionViewItem& option) const {
  if (option.font != layoutFont_) {
    layouts_.clear();
    layoutFont_ = option.font;
  }
  if (layouts_.size() > 4096) layouts_.clear();
  auto it = layouts_.find(text);
  if (it == layouts_.end()) {
    QStaticText layout(text);
    layout.setTextFormat(Qt::PlainText);
    layout.setPerformanceHint(QStaticText::AggressiveCaching);
    layout.prepare(QTransform(), option.font);
    it = layouts_.insert(text, layout);
  }
  const QSizeF size = it->size();
  const QFontMetrics& metrics = option.fontMetrics;
  qreal x = rect.left();
  if (flags & Qt::AlignRight) x = rect.right() + 1 - size.width();
  if (flags & Qt::AlignHCenter) x = rect.left() + (rect.width() - size.width()) / 2;
  qreal y = rect.top();
  if (flags & Qt::AlignVCenter) y = rect.top() + (rect.height() - metrics.height()) / 2.0;
  if (flags & Qt::AlignBottom) y = rect.bottom() + 1 - metrics.height();
  painter.drawStaticText(QPointF(x, y), *it);
}

QWidget* tGridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
  auto* editor = new tNewInplaceEdit(grid_, parent);
  const int32_t limit = grid_->EditLimit();
  if (limit > 0) editor->setMaxLength(limit);
  const QString mask = grid_->GetEditMask(index.column() + 1, index.row() + 1);
  if (!mask.isEmpty()) editor->setInputMask(mask);
  editor_ = editor;
  return editor;
}

tNewInplaceEdit* tGridCellDelegate::OpenEditor() const {
  return editor_ && editor_->isVisible() ? editor_.data() : nullptr;
}

// The view routes the editor's keys through this filter before the editor sees them, and the
// filter commits and closes on Tab and Enter; so the editor reports the cell it leaves from here.
bool tGridCellDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<tNewInplaceEdit*>(object);
  if (editor && event->type() == QEvent::KeyPress) {
    editor->KeyDown(static_cast<QKeyEvent*>(event)->key());
  }
  if (editor && event->type() == QEvent::FocusOut && LostToGridPress(event)) return false;
  return QStyledItemDelegate::eventFilter(object, event);
}

// A press in the grid takes the focus before the grid sees the press; the editor stays open so
// that the grid's press handling can report the cell being left and close it.
bool tGridCellDelegate::LostToGridPress(QEvent* event) const {
  return static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason &&
         QApplication::focusWidget() == grid_;
}

}  // namespace qarn
