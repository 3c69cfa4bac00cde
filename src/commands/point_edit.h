#pragma once

#include <optional>

#include "commands/point_layout.h"
#include "document/path_set_records.h"

namespace qarn {

// Editing single points. An object the user edits holds 1 to 256 points; these never take it
// outside that range.

// Inserts a point after point `after` (clamped to the points there are), a copy of it with its
// flags and height. It stands at x and z of `at` when given (its y is not used); otherwise halfway
// to the next point, or after the last point one step beyond it as "Extend by one point" places
// it (on the last point when it is the only one). RangeCheckError at 256 points; an object
// without points gets point 1 (at `at`, or at the origin). Returns the new point's number.
int InsertPointAfter(tDesc& object, int after, const std::optional<Vec3>& at);

// Removes point k; the later points move up. RangeCheckError where there is no point k, or it is
// the only point.
void DeletePoint(tDesc& object, int k);

// Moves point k across the map: x and z take the position, each rounded once to the stored float;
// y and the flags stay.
void MovePointTo(tDesc& object, int k, long double x, long double z);

}  // namespace qarn
