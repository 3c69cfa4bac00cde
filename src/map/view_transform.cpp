#include "map/view_transform.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qarn {
namespace {

// A view coordinate kept inside the int range, whatever the map coordinate.
int ToInt(double v) {
  constexpr double kLimit = std::numeric_limits<int>::max() / 2;
  return static_cast<int>(std::clamp(std::floor(v), -kLimit, kLimit));
}

}  // namespace

ViewTransform::ViewTransform(double scale)
    : scale_(std::isfinite(scale) ? std::clamp(scale, kSmallest, kLargest) : 1.0) {}

double ViewTransform::NextLevel(int direction) const {
  // A scale within a hair of a level counts as that level, so repeated steps never stick.
  constexpr double kSame = 1e-6;
  if (direction > 0) {
    for (int level : kLevels) {
      if (level / 100.0 > scale_ + kSame) return level / 100.0;
    }
  } else {
    for (auto it = kLevels.rbegin(); it != kLevels.rend(); ++it) {
      if (*it / 100.0 < scale_ - kSame) return *it / 100.0;
    }
  }
  return scale_;
}

double ViewTransform::FitScale(QSize map, QSize area) {
  if (map.isEmpty() || area.isEmpty()) return 1.0;
  const double scale =
      std::min(double(area.width()) / map.width(), double(area.height()) / map.height());
  return std::clamp(scale, kSmallest, kLargest);
}

QSize ViewTransform::ViewSize(QSize map) const {
  // The last view pixel whose centre still falls on the map.
  return QSize(int(std::ceil(map.width() * scale_ - 0.5)),
               int(std::ceil(map.height() * scale_ - 0.5)));
}

QPoint ViewTransform::MapPixelAt(QPoint view) const {
  return QPoint(ToInt((view.x() + 0.5) / scale_), ToInt((view.y() + 0.5) / scale_));
}

QPointF ViewTransform::MapPointAt(QPoint view) const {
  return QPointF((view.x() + 0.5) / scale_, (view.y() + 0.5) / scale_);
}

QPoint ViewTransform::ViewPixelOf(QPoint map) const {
  return QPoint(ToInt((map.x() + 0.5) * scale_), ToInt((map.y() + 0.5) * scale_));
}

QRect ViewTransform::ViewRectOf(QRect map) const {
  const QPoint topLeft(ToInt(map.left() * scale_ - 0.5), ToInt(map.top() * scale_ - 0.5));
  const QPoint bottomRight(ToInt((map.right() + 1) * scale_ + 0.5),
                           ToInt((map.bottom() + 1) * scale_ + 0.5));
  return QRect(topLeft, bottomRight);
}

}  // namespace qarn
