#pragma once

#include "document/path_set_records.h"

namespace qarn {

// A coordinate computed in long double, rounded once to the float it is stored as. Throws
// OverflowError when a finite value is too large for a float, so no command stores an infinity.
float ToStoredFloat(long double v);

// The object's point count; throws RangeCheckError when it exceeds the 256 slots, before any
// command has touched the object.
int CheckedPointCount(const tDesc& object);

}  // namespace qarn
