#include "geometry/rounding.h"

#include <cmath>
#include <limits>
#include <sstream>

#include "document/errors.h"

namespace qarn {
namespace {

// Independent of the floating-point environment's rounding mode, which a library may change.
long double NearestTiesToEven(long double v) {
  const long double below = std::floor(v);
  const long double fraction = v - below;  // exact: below and v share their leading bits
  if (fraction > 0.5L) return below + 1;
  if (fraction < 0.5L) return below;
  return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

[[noreturn]] void ThrowOutOfRange(long double v) {
  std::ostringstream text;
  text.precision(21);
  text << v << " cannot be taken to a 32-bit integer.";
  throw RangeCheckError(text.str());
}

}  // namespace

int32_t RoundToInt(long double v) {
  if (!std::isfinite(v)) ThrowOutOfRange(v);
  const long double nearest = NearestTiesToEven(v);
  if (nearest < std::numeric_limits<int32_t>::min() ||
      nearest > std::numeric_limits<int32_t>::max()) {
    ThrowOutOfRange(v);
  }
  return static_cast<int32_t>(nearest);
}

}  // namespace qarn
