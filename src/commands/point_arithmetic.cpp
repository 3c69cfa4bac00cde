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
  if (object.pointCount > static_cast<uint32_t>(kMaxPoints)) {
    throw RangeCheckError("the object declares " + std::to_string(object.pointCount) +
                          " points; an object holds at most " + std::to_string(kMaxPoints) + ".");
  }
  return static_cast<int>(object.pointCount);
}

}  // namespace qarn
