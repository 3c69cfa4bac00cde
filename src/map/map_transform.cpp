#include "map/map_transform.h"

#include "geometry/rounding.h"

namespace qarn {

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
  const int32_t column = RoundToInt(WorldXToMap(x));
  return {column, RoundToInt(WorldZToMap(z))};
}

}  // namespace qarn
