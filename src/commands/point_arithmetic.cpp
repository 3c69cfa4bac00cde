#include "commands/point_arithmetic.h"

#include <cmath>
#include <sstream>

#include "document/errors.h"

namespace qarn {

float ToStoredFloat(long double v) {
  const float stored = static_cast<float>(v);
  if (std::isinf(stored) && std::isfinite(v)) {
    std::ostringstream text;
    text << "the coordinate " << v << " is outside the range of a 32-bit float.";
    throw OverflowError(text.str());
  }
  return stored;
}

int CheckedPointCount(const tDesc& object) {
  CheckPointCount(object.pointCount);
  return static_cast<int>(object.pointCount);
}

}  // namespace qarn
