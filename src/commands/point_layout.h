#pragma once

#include "document/path_set_records.h"

namespace qarn {

struct Vec3 {
  long double x = 0, y = 0, z = 0;
};

// The values of the placement fields: base position, pair offset, row offset and the row length,
// whose exact 0 selects the single-line layout.
struct LayoutFields {
  Vec3 base;
  Vec3 pair;
  Vec3 row;
  long double rowLength = 0;
};

// Rewrites points 2..n from the fields along one line (rowLength == 0) or as a ladder of pairs;
// point 1, the flags and the count stay. OverflowError when the object has no points.
void LayOutPoints(tDesc& object, const LayoutFields& fields);

// Moves every point by the direction (ax, ay, az) times step.
void ShiftPoints(tDesc& object, float ax, float ay, float az, long double step);

// Moves every point by the offset, each sum rounded once to the stored float. Nothing changes
// when a coordinate would leave the float range (OverflowError).
void ShiftPointsBy(tDesc& object, const Vec3& offset);

// Appends a point one step beyond the last, the step being the last two points' difference;
// it takes the last point's flags. OverflowError below 2 points, RangeCheckError at 256.
void ExtendByOnePoint(tDesc& object);

// Drops the last point; does nothing (returns false) at 2 points or fewer.
bool RemoveLastPoint(tDesc& object);

// Stores the point shown in currentPointRow (point 1 when the row is below 1), moved to the base
// position, as point 1. The point count stays: an object without points has no point 1 and is
// left as it is.
void SetPointOne(tDesc& object, int currentPointRow, const Vec3& base);

}  // namespace qarn
