#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "commands/point_layout.h"
#include "document/path_set_records.h"

namespace qarn {

// What the refresh of an object shows in the edit fields; an empty value leaves its field as it
// is (or, for the offsets, shows 0). Differences are exact: the floats' difference in long double.
struct RefreshValues {
  int pointCount = 0;
  Vec3 base;                        // point slot 1, also when the object has no points
  std::optional<Vec3> pair;         // point 2 - point 1, from 2 points
  std::optional<int32_t> rotation;  // direction of the pair offset in whole degrees, from 2 points
  std::optional<long double> length;  // horizontal length of the pair offset, from 2 points
                                      // (both only where HasDirection)
  std::optional<Vec3> row;            // point 3 - point 1, from 4 points
  std::optional<uint32_t> flags;      // point 1's flag word, from 1 point
};

// The placement and rotation fields: the layout the lay-out command reads (its row length is the
// row's length field), the pair's length and angle, and the row's angle.
struct PlacementFields {
  LayoutFields layout;
  long double length = 0;
  int32_t rotation = 0;
  int32_t rowRotation = 0;
};

// The fields as the refresh of an object with these values shows them; the fields the refresh
// leaves alone keep what `shown` holds.
PlacementFields RefreshedPlacement(const RefreshValues& values, PlacementFields shown);

// Turns the degrees switch on when the object has 2 or more points, as the refresh does.
// RangeCheckError when the object declares more than 256 points.
RefreshValues ComputeRefreshValues(const tDesc& object);

// Whether (dx, dz) has a direction: not where a coordinate is not a number (a file may hold
// NaN), which no whole number of degrees can show.
bool HasDirection(long double dx, long double dz);

// Horizontal length and whole-degree direction (ties to even) of (dx, dz), in the unit of the
// degrees switch; RangeCheckError where HasDirection is false.
std::pair<long double, int32_t> PolarLengthAndDegrees(long double dx, long double dz);

}  // namespace qarn
