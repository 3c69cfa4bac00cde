#include "commands/refresh_values.h"

#include <cmath>
#include <tuple>

#include "commands/point_arithmetic.h"
#include "geometry/polar.h"
#include "geometry/rounding.h"

namespace qarn {
namespace {

Vec3 Position(const tPoint& p) {
  return {p.x, p.y, p.z};
}

Vec3 Difference(const tPoint& from, const tPoint& to) {
  return {static_cast<long double>(to.x) - from.x, static_cast<long double>(to.y) - from.y,
          static_cast<long double>(to.z) - from.z};
}

}  // namespace

RefreshValues ComputeRefreshValues(const tDesc& object) {
  RefreshValues values;
  values.pointCount = CheckedPointCount(object);
  const tPoint& first = object.Point(1);
  values.base = Position(first);
  if (values.pointCount >= 1) values.flags = first.flags;
  if (values.pointCount < 2) return values;
  SetDegreesMode(true);
  const Vec3 pair = Difference(first, object.Point(2));
  values.pair = pair;
  if (HasDirection(pair.x, pair.z)) {
    const auto [length, degrees] = PolarLengthAndDegrees(pair.x, pair.z);
    values.length = length;
    values.rotation = degrees;
  }
  if (values.pointCount >= 4) values.row = Difference(first, object.Point(3));
  return values;
}

PlacementFields RefreshedPlacement(const RefreshValues& values, PlacementFields shown) {
  LayoutFields& layout = shown.layout;
  layout.base = values.base;
  if (values.rotation) shown.rotation = *values.rotation;
  if (values.length) shown.length = *values.length;
  layout.pair = values.pair.value_or(Vec3{});
  layout.row = values.row.value_or(Vec3{});
  if (values.row) {
    if (HasDirection(layout.row.x, layout.row.z)) {
      std::tie(layout.rowLength, shown.rowRotation) =
          PolarLengthAndDegrees(layout.row.x, layout.row.z);
    }
  } else if (values.pair) {
    layout.rowLength = 0;
  }
  return shown;
}

bool HasDirection(long double dx, long double dz) {
  return !std::isnan(dx) && !std::isnan(dz);
}

std::pair<long double, int32_t> PolarLengthAndDegrees(long double dx, long double dz) {
  long double length = 0;
  long double angle = 0;
  RectToPolar(dx, dz, length, angle);
  return {length, RoundToInt(angle)};
}

}  // namespace qarn
