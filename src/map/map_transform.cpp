#include "map/map_transform.h"

#include <cmath>
#include <cstdint>

#include "geometry/rounding.h"

namespace qarn {
namespace {

// The same nearest integer, ties to even, as RoundToInt gives a float's exact value, done in
// float and integer arithmetic: the long double path switches the x87 control word twice per
// call, which made rounding most of the cost of drawing all squares. Below 2^23 the truncation
// and the fraction are exact; everything else (huge, infinite, NaN) goes the checked way.
int32_t NearestPixel(float v) {
  constexpr float kExactFractions = 8388608.0f;  // 2^23
  if (!(std::fabs(v) < kExactFractions)) return RoundToInt(v);
  auto below = static_cast<int32_t>(v);        // towards zero
  if (static_cast<float>(below) > v) --below;  // floor for negative values
  const float fraction = v - static_cast<float>(below);
  if (fraction > 0.5f || (fraction == 0.5f && (below & 1) != 0)) ++below;
  return below;
}

}  // namespace

float MapTransform::WorldXToMap(float x) const {
  return static_cast<float>(static_cast<long double>(x) / unitsPerPixelX + originColumn);
}

float MapTransform::WorldZToMap(float z) const {
  return static_cast<float>(static_cast<long double>(z) / unitsPerPixelZ + originRow);
}

float MapTransform::MapToWorldX(float column) const {
  return static_cast<float>((static_cast<long double>(column) - originColumn) * unitsPerPixelX);
}

float MapTransform::MapToWorldZ(float row) const {
  return static_cast<float>((static_cast<long double>(row) - originRow) * unitsPerPixelZ);
}

QPoint MapTransform::PixelOf(float x, float z) const {
  const int32_t column = NearestPixel(WorldXToMap(x));
  return {column, NearestPixel(WorldZToMap(z))};
}

}  // namespace qarn
