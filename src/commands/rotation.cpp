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

void TurnByStep(tDesc& object, PlacementFields& fields, int32_t pairStep, int32_t rowStep) {
  // Both sums are formed before either field changes, so an overflow applies nothing.
  PlacementFields turned = fields;
  if (pairStep) turned.rotation = StepAngle(fields.rotation, pairStep);
  if (rowStep) turned.rowRotation = StepAngle(fields.rowRotation, rowStep);
  const HorizontalOffset pair = OffsetFromPolar(turned.length, turned.rotation);
  const HorizontalOffset row = OffsetFromPolar(turned.layout.rowLength, turned.rowRotation);
  turned.layout.pair.x = pair.dx;
  turned.layout.pair.z = pair.dz;
  turned.layout.row.x = row.dx;
  turned.layout.row.z = row.dz;
  LayOutPoints(object, turned.layout);
  fields = turned;
}

}  // namespace qarn
