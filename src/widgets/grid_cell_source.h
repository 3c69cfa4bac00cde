#pragma once

#include <QColor>
#include <QString>

namespace qarn {

// What the string-cell model asks its grid while the view paints: the grid owns the texts, flags
// and colours, the model only maps them onto Qt's roles. Numbering is the grid's (row 0 = caption).
class tGridCellSource {
 public:
  virtual ~tGridCellSource() = default;
  virtual QString CellDisplayText(int col, int row) = 0;
  virtual QString CellHint(int col, int row) = 0;  // the tooltip; empty for none
  virtual QString ColumnTitle(int col) = 0;
  virtual int CellTextFlags(int col, int row) = 0;  // Qt text flags, alignment included
  // Invalid while the row header's own text colour is the one.
  virtual QColor FixedCellFontColor(int row) = 0;
};

}  // namespace qarn
