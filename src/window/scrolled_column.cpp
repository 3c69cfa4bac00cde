#include "window/scrolled_column.h"

#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace qarn {

ScrolledColumn::ScrolledColumn(QWidget* panel, QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("RightColumn"));
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setWidgetResizable(false);
  setAccessibleName(panel->accessibleName());
  setWidget(panel);
}

int ScrolledColumn::WidthFor(int panelWidth, int areaHeight, int leastHeight) const {
  if (areaHeight >= leastHeight) return panelWidth;
  return panelWidth + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void ScrolledColumn::Place(const QRect& area, int panelWidth, int leastHeight) {
  widget()->resize(panelWidth, std::max(area.height(), leastHeight));
  setGeometry(area);
}

}  // namespace qarn
