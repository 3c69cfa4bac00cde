#include "map/hit_test.h"

#include <algorithm>

namespace qarn {

std::optional<PointRef> NearestPoint(const tHeader& doc, const MapTransform& calibration,
                                     const ViewTransform& view, QPoint viewPixel, double reach) {
  std::optional<PointRef> nearest;
  double nearestSquare = reach * reach;
  for (size_t o = 0; o < doc.records.size(); ++o) {
    const tDesc& object = *doc.records[o];
    const int count = static_cast<int>(std::min<uint32_t>(object.pointCount, kMaxPoints));
    for (int k = 1; k <= count; ++k) {
      QPoint pixel;
      if (!calibration.DrawablePixel(object.Point(k).x, object.Point(k).z, pixel)) continue;
      const QPoint d = view.ViewPixelOf(pixel) - viewPixel;
      const double square = double(d.x()) * d.x() + double(d.y()) * d.y();
      // Strictly nearer only, so a tie keeps the lower numbers.
      if (square < nearestSquare || (!nearest && square == nearestSquare)) {
        nearest = PointRef{static_cast<int>(o) + 1, k};
        nearestSquare = square;
      }
    }
  }
  return nearest;
}

std::vector<int> ObjectsInside(const tHeader& doc, const MapTransform& calibration, QRect mapArea) {
  std::vector<int> inside;
  for (size_t o = 0; o < doc.records.size(); ++o) {
    const tDesc& object = *doc.records[o];
    const int count = static_cast<int>(std::min<uint32_t>(object.pointCount, kMaxPoints));
    for (int k = 1; k <= count; ++k) {
      QPoint pixel;
      if (calibration.DrawablePixel(object.Point(k).x, object.Point(k).z, pixel) &&
          mapArea.contains(pixel)) {
        inside.push_back(static_cast<int>(o) + 1);
        break;
      }
    }
  }
  return inside;
}

}  // namespace qarn
