#pragma once

#include <cstdint>

#include "commands/refresh_values.h"

namespace qarn {

// angle + step in checked 32-bit arithmetic; OverflowError when the sum leaves the range.
int32_t StepAngle(int32_t angle, int32_t step);

struct HorizontalOffset {
  long double dx = 0, dz = 0;
};

// The horizontal offset of the given length in the given direction (degrees or radians by the
// degrees switch): dx = length cos(angle), dz = length sin(angle).
HorizontalOffset OffsetFromPolar(long double length, long double angle);

// The rotation tools' command: steps the pair's and the row's angle (a step of 0 leaves it), turns
// both into the offsets of the layout and lays the object's points out from it. The fields are
// left as the command leaves them; an overflow of an angle changes nothing.
void TurnByStep(tDesc& object, PlacementFields& fields, int32_t pairStep, int32_t rowStep);

}  // namespace qarn
