#pragma once

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <ranges>

#include "document/path_set_records.h"
#include "geometry/polar.h"

namespace qarn::testing_objects {

// An object holding exactly the given points; every other slot is zero.
inline tDesc ObjectWith(std::initializer_list<tPoint> points) {
  tDesc object;
  for (const tPoint& p : points) object.Point(static_cast<int>(++object.pointCount)) = p;
  return object;
}

// An object of n points on the x axis, 10 apart, point k carrying flag word k.
inline tDesc ObjectOnXAxis(int n) {
  tDesc object;
  object.pointCount = static_cast<uint32_t>(n);
  for (int k = 1; k <= n; ++k) {
    object.Point(k) = tPoint{static_cast<uint32_t>(k), 10.0f * static_cast<float>(k - 1), 0, 0};
  }
  return object;
}

inline bool SameBytes(const tDesc& a, const tDesc& b) {
  return a.name == b.name && a.pointCount == b.pointCount && a.headWord == b.headWord &&
         a.trailerWord == b.trailerWord &&
         std::ranges::all_of(std::views::iota(1, kMaxPoints + 1), [&](int k) {
           return std::memcmp(&a.Point(k), &b.Point(k), sizeof(tPoint)) == 0;
         });
}

// The degrees switch is process-wide: a test sets the unit it needs and leaves it as found.
class DegreesSwitchGuard {
 public:
  explicit DegreesSwitchGuard(bool on) : saved_(DegreesMode()) { SetDegreesMode(on); }
  ~DegreesSwitchGuard() { SetDegreesMode(saved_); }
  DegreesSwitchGuard(const DegreesSwitchGuard&) = delete;
  DegreesSwitchGuard& operator=(const DegreesSwitchGuard&) = delete;

 private:
  bool saved_;
};

}  // namespace qarn::testing_objects
