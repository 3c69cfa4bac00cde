#include "commands/point_edit.h"

#include <algorithm>
#include <string>

#include "commands/point_arithmetic.h"
#include "document/errors.h"

namespace qarn {
namespace {

long double Halfway(float a, float b) {
  return (static_cast<long double>(a) + static_cast<long double>(b)) / 2;
}

// The point to insert after point `after` of n (0 only when n is 0).
tPoint NewPoint(const tDesc& object, int after, int n, const std::optional<Vec3>& at) {
  tPoint point = n == 0 ? tPoint{} : object.Point(after);
  if (at) {
    point.x = ToStoredFloat(at->x);
    point.z = ToStoredFloat(at->z);
  } else if (after < n) {
    const tPoint& next = object.Point(after + 1);
    point.x = ToStoredFloat(Halfway(point.x, next.x));
    point.y = ToStoredFloat(Halfway(point.y, next.y));
    point.z = ToStoredFloat(Halfway(point.z, next.z));
  }
  return point;
}

}  // namespace

int InsertPointAfter(tDesc& object, int after, const std::optional<Vec3>& at) {
  const int n = CheckedPointCount(object);
  if (n == kMaxPoints) {
    throw RangeCheckError("the object already holds " + std::to_string(kMaxPoints) +
                          " points, the most an object can hold.");
  }
  after = std::clamp(after, std::min(n, 1), n);
  if (!at && after == n && n >= 2) {
    ExtendByOnePoint(object);
    return n + 1;
  }
  const tPoint point = NewPoint(object, after, n, at);  // computed before anything moves
  const std::span<tPoint> slots = object.WritableSlots();
  std::copy_backward(slots.begin() + after, slots.begin() + n, slots.begin() + n + 1);
  slots[static_cast<size_t>(after)] = point;
  object.pointCount = static_cast<uint32_t>(n + 1);
  return after + 1;
}

void DeletePoint(tDesc& object, int k) {
  const int n = CheckedPointCount(object);
  if (k < 1 || k > n) {
    throw RangeCheckError("the object has no point " + std::to_string(k) + "; it has " +
                          std::to_string(n) + " points.");
  }
  if (n == 1) throw RangeCheckError("point 1 is the object's only point; an object keeps one.");
  const std::span<tPoint> slots = object.WritableSlots();
  std::copy(slots.begin() + k, slots.begin() + n, slots.begin() + k - 1);
  slots[static_cast<size_t>(n - 1)] = tPoint{};  // slots beyond the count stay zero
  object.pointCount = static_cast<uint32_t>(n - 1);
}

void MovePointTo(tDesc& object, int k, long double x, long double z) {
  const float storedX = ToStoredFloat(x);
  const float storedZ = ToStoredFloat(z);
  tPoint& point = object.Point(k);
  point.x = storedX;
  point.z = storedZ;
}

}  // namespace qarn
