#pragma once

#include <QHeaderView>

namespace qarn {

// A header of tKvStringGrid: the caption row or the fixed column. Qt repaints the header sections
// of the selected and the current cells so that a header can highlight them; these headers never
// highlight (highlightSections stays off), so those repaints would draw the same pixels again,
// once per row change of the grid.
class tGridHeader : public QHeaderView {
  Q_OBJECT

 public:
  tGridHeader(Qt::Orientation orientation, QWidget* parent);

  void RepaintSection(int logicalIndex) { updateSection(logicalIndex); }

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& old) override;
  QRegion visualRegionForSelection(const QItemSelection& selection) const override;
};

}  // namespace qarn
