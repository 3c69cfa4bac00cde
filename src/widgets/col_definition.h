#pragma once

#include <QString>
#include <cstdint>

namespace qarn {

// One added column of a tKvStringGrid; definition i belongs to grid column i.
struct tColDefinition {
  QString Title;
  int32_t ColumnId = 0;   // the caller's number: names the menu entry and the saved visibility
  int32_t DrawFlags = 0;  // text format of the column's cells (DrawText bits); 0 means the default
  QString EditMask;       // input mask of the cell editor in this column; empty means none
  bool Shown = true;
  int32_t SavedWidth = 0;  // restored when a hidden column is shown again
};

}  // namespace qarn
