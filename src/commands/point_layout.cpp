#include "commands/point_layout.h"

#include <string>
#include <utility>

#include "commands/point_arithmetic.h"
#include "document/errors.h"

namespace qarn {
namespace {

void MoveTo(tPoint& point, const Vec3& position) {
  point.x = ToStoredFloat(position.x);
  point.y = ToStoredFloat(position.y);
  point.z = ToStoredFloat(position.z);
}

// Point k of the layout; the grouping of each sum is its order of evaluation.
Vec3 LayoutPosition(const LayoutFields& f, int k) {
  const long double i = k - 1;
  if (f.rowLength == 0) {
    return {f.base.x + f.pair.x * i, f.base.y + f.pair.y * i, f.base.z + f.pair.z * i};
  }
  const long double h = (k - 1) / 2;
  if ((k - 1) % 2 == 1) {
    return {(f.base.x + f.pair.x) + f.row.x * h, (f.base.y + f.pair.y) + f.row.y * h,
            (f.base.z + f.pair.z) + f.row.z * h};
  }
  return {f.base.x + f.row.x * h, f.base.y + f.row.y * h, f.base.z + f.row.z * h};
}

// The step from a to b, rounded to float as it would be stored.
float StoredStep(float a, float b) {
  return ToStoredFloat(static_cast<long double>(b) - static_cast<long double>(a));
}

}  // namespace

void LayOutPoints(tDesc& object, const LayoutFields& fields) {
  const int n = CheckedPointCount(object);
  if (n == 0) throw OverflowError("the object has no points to lay out.");
  tDesc laidOut = object;  // written back only when every point fits
  for (int k = 2; k <= n; ++k) MoveTo(laidOut.Point(k), LayoutPosition(fields, k));
  object = std::move(laidOut);
}

void ShiftPoints(tDesc& object, float ax, float ay, float az, long double step) {
  ShiftPointsBy(object, {static_cast<long double>(ax) * step, static_cast<long double>(ay) * step,
                         static_cast<long double>(az) * step});
}

void ShiftPointsBy(tDesc& object, const Vec3& offset) {
  const int n = CheckedPointCount(object);
  tDesc shifted = object;  // written back only when every point fits
  for (int k = 1; k <= n; ++k) {
    tPoint& p = shifted.Point(k);
    MoveTo(p, {offset.x + p.x, offset.y + p.y, offset.z + p.z});
  }
  object = std::move(shifted);
}

void ExtendByOnePoint(tDesc& object) {
  const int n = CheckedPointCount(object);
  if (n < 2) {
    throw OverflowError("an object with " + std::to_string(n) +
                        " points has no last step to continue; it needs at least 2 points.");
  }
  if (n == kMaxPoints) {
    throw RangeCheckError("the object already holds " + std::to_string(kMaxPoints) +
                          " points, the most an object can hold.");
  }
  const tPoint& before = object.Point(n - 1);
  const tPoint& last = object.Point(n);
  tPoint next = last;
  MoveTo(next, {static_cast<long double>(last.x) + StoredStep(before.x, last.x),
                static_cast<long double>(last.y) + StoredStep(before.y, last.y),
                static_cast<long double>(last.z) + StoredStep(before.z, last.z)});
  object.Point(n + 1) = next;
  object.pointCount = static_cast<uint32_t>(n + 1);
}

bool RemoveLastPoint(tDesc& object) {
  const int n = CheckedPointCount(object);
  if (n <= 2) return false;
  object.Point(n) = tPoint{};  // slots beyond the count stay zero, as after a parse
  object.pointCount = static_cast<uint32_t>(n - 1);
  return true;
}

void SetPointOne(tDesc& object, int currentPointRow, const Vec3& base) {
  tPoint point = object.Point(currentPointRow < 1 ? 1 : currentPointRow);
  MoveTo(point, base);
  if (object.pointCount == 0) return;  // no point 1; slots beyond the count stay zero
  object.Point(1) = point;
}

}  // namespace qarn
