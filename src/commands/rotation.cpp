#include "commands/rotation.h"

#include <limits>
#include <string>

#include "document/errors.h"
#include "geometry/polar.h"

namespace qarn {

int32_t StepAngle(int32_t angle, int32_t step) {
  const int64_t sum = int64_t{angle} + step;
  if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max()) {
    throw OverflowError("the angle " + std::to_string(angle) + " cannot be turned by " +
                        std::to_string(step) + " degrees within the 32-bit range.");
  }
  return static_cast<int32_t>(sum);
}

HorizontalOffset OffsetFromPolar(long double length, long double angle) {
  HorizontalOffset offset;
  PolarToRect(length, angle, offset.dx, offset.dz);
  return offset;
}

}  // namespace qarn
