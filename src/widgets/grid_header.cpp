#include "widgets/grid_header.h"

namespace qarn {

tGridHeader::tGridHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {}

void tGridHeader::currentChanged(const QModelIndex& current, const QModelIndex& old) {
  if (highlightSections()) QHeaderView::currentChanged(current, old);
}

QRegion tGridHeader::visualRegionForSelection(const QItemSelection& selection) const {
  return highlightSections() ? QHeaderView::visualRegionForSelection(selection) : QRegion();
}

}  // namespace qarn
