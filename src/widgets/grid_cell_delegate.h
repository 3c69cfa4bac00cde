#pragma once

#include <QFont>
#include <QHash>
#include <QPointer>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace qarn {

class tKvStringGrid;
class tNewInplaceEdit;

// Draws the data cells of a tKvStringGrid through the grid's per-cell queries and opens its
// tNewInplaceEdit cell editor.
class tGridCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit tGridCellDelegate(tKvStringGrid* grid);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  // The cell editor while it is open and visible, else nullptr.
  tNewInplaceEdit* OpenEditor() const;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  bool LostToGridPress(QEvent* event) const;
  void DrawKeptLayout(QPainter& painter, const QRect& rect, int flags, const QString& text,
                      const QStyleOptionViewItem& option) const;

  tKvStringGrid* grid_;
  mutable QPointer<tNewInplaceEdit> editor_;
  mutable QHash<QString, QStaticText> layouts_;
  mutable QFont layoutFont_;
};

}  // namespace qarn
