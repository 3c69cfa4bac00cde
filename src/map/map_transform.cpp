#include "map/map_transform.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace qarn {
namespace {

// The same nearest integer, ties to even, as RoundToInt gives a float's exact value, done in
// float and integer arithmetic: the long double path switches the x87 control word twice per
// call, which made rounding most of the cost of drawing all squares. Below 2^23 the truncation
// and the fraction are exact; from 2^23 on every float is a whole number already. False for NaN,
// infinities and values outside the signed 32-bit range. (An out parameter rather than an
// optional: assembling the optional in memory stalled every call on its own stores.)
bool NearestPixel(float v, int32_t& pixel) {
  constexpr float kExactFractions = 8388608.0f;  // 2^23
  if (!(std::fabs(v) < kExactFractions)) {
    if (!(v >= -2147483648.0f && v < 2147483648.0f)) return false;
    pixel = static_cast<int32_t>(v);
    return true;
  }
  auto below = static_cast<int32_t>(v);        // towards zero
  if (static_cast<float>(below) > v) --below;  // floor for negative values
  const float fraction = v - static_cast<float>(below);
  if (fraction > 0.5f || (fraction == 0.5f && (below & 1) != 0)) ++below;
  pixel = below;
  return true;
}

std::string ShortestText(float value) {
  std::array<char, 32> text{};
  const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
  return std::string(text.data(), end);
}

int32_t CheckedPixel(char axis, float world, float onMap) {
  int32_t pixel = 0;
  if (!NearestPixel(onMap, pixel)) throw UndrawableCoordinateError(axis, world);
  return pixel;
}

}  // namespace

UndrawableCoordinateError::UndrawableCoordinateError(char axis, float value)
    : RangeCheckError(Worded{}, std::string(1, axis) + " is " + ShortestText(value) +
                                    " and cannot be drawn on the map.") {}

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
  const int32_t column = CheckedPixel('x', x, WorldXToMap(x));
  return {column, CheckedPixel('z', z, WorldZToMap(z))};
}

bool MapTransform::DrawablePixel(float x, float z, QPoint& pixel) const {
  int32_t column = 0;
  int32_t row = 0;
  if (!NearestPixel(WorldXToMap(x), column) || !NearestPixel(WorldZToMap(z), row)) return false;
  pixel = QPoint(column, row);
  return true;
}

}  // namespace qarn
