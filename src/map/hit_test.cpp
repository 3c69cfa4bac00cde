#include "map/hit_test.h"

#include <algorithm>

namespace qarn {

namespace {

// Keeps the nearest of the points offered, within reach; of points equally near the first
// offered wins, so offering them in ascending numbers keeps the lower numbers.
class NearestSearch {
 public:
  NearestSearch(const MapTransform& calibration, const ViewTransform& view, QPoint viewPixel,
                double reach)
      : calibration_(calibration), view_(view), viewPixel_(viewPixel), square_(reach * reach) {}

  void Offer(const tDesc& object, int number, int upTo) {
    const int count = static_cast<int>(std::min<uint32_t>(object.pointCount, kMaxPoints));
    for (int k = 1; k <= std::min(count, upTo); ++k) {
      QPoint pixel;
      if (!calibration_.DrawablePixel(object.Point(k).x, object.Point(k).z, pixel)) continue;
      const QPoint d = view_.ViewPixelOf(pixel) - viewPixel_;
      const double square = double(d.x()) * d.x() + double(d.y()) * d.y();
      if (square < square_ || (!nearest_ && square == square_)) {
        nearest_ = PointRef{number, k};
        square_ = square;
      }
    }
  }
  std::optional<PointRef> Nearest() const { return nearest_; }

 private:
  const MapTransform& calibration_;
  const ViewTransform& view_;
  QPoint viewPixel_;
  double square_;
  std::optional<PointRef> nearest_;
};

}  // namespace

std::optional<PointRef> NearestPoint(const tHeader& doc, const MapTransform& calibration,
                                     const ViewTransform& view, QPoint viewPixel, double reach) {
  NearestSearch search(calibration, view, viewPixel, reach);
  for (size_t o = 0; o < doc.records.size(); ++o) {
    search.Offer(*doc.records[o], static_cast<int>(o) + 1, kMaxPoints);
  }
  return search.Nearest();
}

std::optional<PointRef> NearestPointOf(const tHeader& doc, std::span<const int> objects, int upTo,
                                       const MapTransform& calibration, const ViewTransform& view,
                                       QPoint viewPixel, double reach) {
  NearestSearch search(calibration, view, viewPixel, reach);
  for (const int n : objects) {
    if (n >= 1 && n <= static_cast<int>(doc.records.size())) {
      search.Offer(*doc.records[static_cast<size_t>(n) - 1], n, upTo);
    }
  }
  return search.Nearest();
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
