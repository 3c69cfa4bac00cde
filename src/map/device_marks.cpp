#include "map/device_marks.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "map/scaled_map.h"

namespace qarn {
namespace {

// A coordinate kept inside the int range, whatever the map coordinate.
int Floor(double v) {
  constexpr double kLimit = std::numeric_limits<int>::max() / 4;
  return static_cast<int>(std::clamp(std::floor(v), -kLimit, kLimit));
}

// The unit of the grid (units of `unit` device pixels from device pixel 0) holding the centre of
// map pixel `m`.
int UnitOf(int m, double devicePerMapPixel, int unit) {
  return Floor((m + 0.5) * devicePerMapPixel / unit);
}

// The units' squares, each `unit` device pixels wide, that cover `area` (whose unit grid starts
// at `origin`).
QImage Blocks(const QImage& units, int unit, QPoint origin, QRect area) {
  QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < area.height(); ++y) {
    const auto* from =
        reinterpret_cast<const QRgb*>(units.constScanLine((area.top() + y) / unit - origin.y()));
    auto* to = reinterpret_cast<QRgb*>(layer.scanLine(y));
    for (int x = 0; x < area.width(); ++x) to[x] = from[(area.left() + x) / unit - origin.x()];
  }
  return layer;
}

}  // namespace

int MarkUnit(double scale, double ratio) {
  return std::max(1, static_cast<int>(std::lround(std::max(scale, 1.0) * ratio)));
}

int DeviceMarkReach(double scale, double ratio) {
  // Five mark pixels out from the centre, and one more where the centre snaps to the grid.
  return static_cast<int>(std::ceil(6 * MarkUnit(scale, ratio) / ratio)) + 1;
}

QImage DeviceMarkLayer(const MarkList& marks, const ViewTransform& view, double ratio,
                       QRect deviceArea) {
  if (deviceArea.isEmpty() || deviceArea.left() < 0 || deviceArea.top() < 0) {
    return QImage(deviceArea.size().expandedTo({0, 0}), QImage::Format_ARGB32_Premultiplied);
  }
  const int unit = MarkUnit(view.Scale(), ratio);
  const double devicePerMapPixel = view.Scale() * ratio;
  const QPoint origin(deviceArea.left() / unit, deviceArea.top() / unit);
  const QPoint last(deviceArea.right() / unit, deviceArea.bottom() / unit);
  QImage units(QSize(last.x() - origin.x() + 1, last.y() - origin.y() + 1),
               QImage::Format_ARGB32_Premultiplied);
  units.fill(Qt::transparent);
  DrawMarksOver(units, marks, [&](QPoint p) {
    return QPoint(UnitOf(p.x(), devicePerMapPixel, unit), UnitOf(p.y(), devicePerMapPixel, unit)) -
           origin;
  });
  return Blocks(units, unit, origin, deviceArea);
}

QRect DeviceRectOf(QRect view, double ratio) {
  return QRect(QPoint(Floor(view.left() * ratio), Floor(view.top() * ratio)),
               QPoint(static_cast<int>(std::ceil((view.right() + 1) * ratio)) - 1,
                      static_cast<int>(std::ceil((view.bottom() + 1) * ratio)) - 1));
}

}  // namespace qarn
