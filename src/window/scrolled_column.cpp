#include "window/scrolled_column.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace qarn {

ScrolledColumn::ScrolledColumn(QWidget* panel, QWidget* parent) : QScrollArea(parent) {
  setObjectName(QStringLiteral("RightColumn"));
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::NoFocus);  // no tab stop of its own: Tab goes to the controls inside
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setWidgetResizable(false);
  setAccessibleName(panel->accessibleName());
  setWidget(panel);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now != nullptr && widget()->isAncestorOf(now)) ShowWhole(now);
  });
}

int ScrolledColumn::WidthFor(int panelWidth, int areaHeight, int leastHeight) const {
  if (areaHeight >= leastHeight) return panelWidth;
  return panelWidth + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void ScrolledColumn::Place(const QRect& area, int panelWidth, int leastHeight) {
  widget()->resize(panelWidth, std::max(area.height(), leastHeight));
  setGeometry(area);
}

void ScrolledColumn::ShowWhole(const QWidget* control) {
  const QRect place(control->mapTo(widget(), QPoint()), control->size());
  const int top = verticalScrollBar()->value();
  const int room = viewport()->height();
  if (place.top() < top || place.height() > room) {
    verticalScrollBar()->setValue(place.top());
  } else if (place.bottom() >= top + room) {
    verticalScrollBar()->setValue(place.bottom() + 1 - room);
  }
}

}  // namespace qarn
