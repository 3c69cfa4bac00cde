#pragma once

#include <cstdint>

namespace qarn {

// Nearest integer, ties to even (0.5 -> 0, 1.5 -> 2, 2.5 -> 2). Throws RangeCheckError when the
// result is outside the signed 32-bit range or v is not a number.
int32_t RoundToInt(long double v);

}  // namespace qarn
