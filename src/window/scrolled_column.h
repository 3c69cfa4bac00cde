#pragma once

#include <QScrollArea>

namespace qarn {

// The window's right-hand column: its panel at a fixed width, never lower than the panel's least
// height. A window lower than that (a large text scale on a small screen) scrolls the column up
// and down, so every control stays reachable; a control that takes the focus is scrolled into
// view.
class ScrolledColumn : public QScrollArea {
  Q_OBJECT

 public:
  ScrolledColumn(QWidget* panel, QWidget* parent);

  // The width the column takes for a panel this wide in a window area this high: the panel's,
  // and a scroll bar's more while the area is lower than `leastHeight`.
  int WidthFor(int panelWidth, int areaHeight, int leastHeight) const;
  // Places the column on `area` of its parent; the panel gets the area's height, or
  // `leastHeight` when the area is lower.
  void Place(const QRect& area, int panelWidth, int leastHeight);
  // Scrolls so the control shows whole, or as much of it from its top as the view can hold.
  // (Qt's own scrolling for the focus shows a list's current cell only, not its caption.)
  void ShowWhole(const QWidget* control);
};

}  // namespace qarn
