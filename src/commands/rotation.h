#pragma once

#include <cstdint>

namespace qarn {

// angle + step in checked 32-bit arithmetic; OverflowError when the sum leaves the range.
int32_t StepAngle(int32_t angle, int32_t step);

struct HorizontalOffset {
  long double dx = 0, dz = 0;
};

// The horizontal offset of the given length in the given direction (degrees or radians by the
// degrees switch): dx = length cos(angle), dz = length sin(angle).
HorizontalOffset OffsetFromPolar(long double length, long double angle);

}  // namespace qarn
