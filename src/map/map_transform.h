#pragma once

#include <QPoint>

#include "document/errors.h"
#include "map/map_calibration.h"

namespace qarn {

// A world coordinate whose pixel lies outside the signed 32-bit range: NaN, infinite, or more than
// about 6e9 world units from the origin. "x is nan and cannot be drawn on the map."
class UndrawableCoordinateError : public RangeCheckError {
 public:
  UndrawableCoordinateError(char axis, float value);
};

// The linear transform between world x and z and map pixels of a calibration: x runs to the
// right, z downwards, the height y does not appear. The form owns one instance; its hidden
// calibration buttons change the four parameters. Each transform does its arithmetic in extended
// precision on the 32-bit operands and rounds the result to a 32-bit float once.
struct MapTransform : MapCalibration {
  MapTransform() = default;
  explicit MapTransform(const MapCalibration& calibration) : MapCalibration(calibration) {}

  float WorldXToMap(float x) const;
  float WorldZToMap(float z) const;
  float MapToWorldX(float column) const;
  float MapToWorldZ(float row) const;

  // The pixel of world (x, z), each coordinate taken to the nearest integer with ties to even.
  // Throws UndrawableCoordinateError when a coordinate leaves the signed 32-bit range.
  QPoint PixelOf(float x, float z) const;
  // The same pixel into `pixel`, or false where PixelOf throws. Drawing all points calls this
  // thousands of times, hence no optional (see NearestPixel).
  bool DrawablePixel(float x, float z, QPoint& pixel) const;
};

}  // namespace qarn
