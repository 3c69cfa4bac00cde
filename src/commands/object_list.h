#pragma once

#include <optional>

#include "document/path_set_records.h"

namespace qarn {

// Rows are the object list's current row (object k is row k). Each command returns the row to
// make current, or std::nullopt when its precondition is not met and nothing changed.

// Adds a copy of the object in currentRow right after it, or a first object to an empty
// document; a copy without points gets the default points (0,0,0) and (10,0,0). Returns the new
// object's row. ListIndexError when the document has objects and currentRow is none of them.
int AddObjectCopy(tHeader& doc, int currentRow);

// Deletes the object in currentRow unless it is the only one; the row stays, or moves to the new
// last object when the last one was deleted.
std::optional<int> DeleteObject(tHeader& doc, int currentRow);

// Adds, after the object S in currentRow, an object as far beyond S, point by point, as S lies
// beyond the object before it. Nothing at row 1 or less.
std::optional<int> ContinueSeries(tHeader& doc, int currentRow);

// Exchange the object in currentRow with its neighbour; nothing at the ends of the list.
std::optional<int> MoveObjectUp(tHeader& doc, int currentRow);
std::optional<int> MoveObjectDown(tHeader& doc, int currentRow);

// Inserts copies of the objects of `objects`, in their order, after the object in currentRow, or
// after the last object when currentRow is none. Returns the row of the first one inserted.
int InsertObjects(tHeader& doc, int currentRow, const tHeader& objects);

}  // namespace qarn
