#include "map/device_marks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "map/scaled_map.h"

namespace qarn {
namespace {

// A coordinate kept inside the int range, whatever the map coordinate.
int Floor(double v) {
  constexpr double kLimit = std::numeric_limits<int>::max() / 4;
  return static_cast<int>(std::clamp(std::floor(v), -kLimit, kLimit));
}

// The unit holding device coordinate `v`, also left of or above the view.
int UnitAt(int v, int unit) {
  return v >= 0 ? v / unit : -((-v + unit - 1) / unit);
}

// The unit of the grid (units of `unit` device pixels from device pixel 0) holding the centre of
// map pixel `m`.
int UnitOf(int m, double devicePerMapPixel, int unit) {
  return Floor((m + 0.5) * devicePerMapPixel / unit);
}

// The units' squares, each `unit` device pixels wide, that cover `area` (whose unit grid starts
// at `origin`). The device rows of one unit are alike, so each is worked out once.
QImage Blocks(const QImage& units, int unit, QPoint origin, QRect area) {
  QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
  std::vector<int> column(static_cast<size_t>(area.width()));
  for (int x = 0; x < area.width(); ++x) {
    column[static_cast<size_t>(x)] = UnitAt(area.left() + x, unit) - origin.x();
  }
  int lastRow = -1;
  for (int y = 0; y < area.height(); ++y) {
    auto* to = reinterpret_cast<QRgb*>(layer.scanLine(y));
    const int row = UnitAt(area.top() + y, unit) - origin.y();
    if (row == lastRow) {
      std::memcpy(to, layer.constScanLine(y - 1), size_t(area.width()) * sizeof(QRgb));
      continue;
    }
    lastRow = row;
    const auto* from = reinterpret_cast<const QRgb*>(units.constScanLine(row));
    for (int x = 0; x < area.width(); ++x) to[x] = from[column[static_cast<size_t>(x)]];
  }
  return layer;
}

// Whether no mark was drawn on the units.
bool Bare(const QImage& units) {
  for (int y = 0; y < units.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(units.constScanLine(y));
    if (std::any_of(line, line + units.width(), [](QRgb p) { return p != 0; })) return false;
  }
  return true;
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
  if (deviceArea.isEmpty()) return QImage();
  const int unit = MarkUnit(view.Scale(), ratio);
  const double devicePerMapPixel = view.Scale() * ratio;
  const QPoint origin(UnitAt(deviceArea.left(), unit), UnitAt(deviceArea.top(), unit));
  const QPoint last(UnitAt(deviceArea.right(), unit), UnitAt(deviceArea.bottom(), unit));
  QImage units(QSize(last.x() - origin.x() + 1, last.y() - origin.y() + 1),
               QImage::Format_ARGB32_Premultiplied);
  units.fill(Qt::transparent);
  DrawMarksOver(units, marks, [&](QPoint p) {
    return QPoint(UnitOf(p.x(), devicePerMapPixel, unit), UnitOf(p.y(), devicePerMapPixel, unit)) -
           origin;
  });
  if (Bare(units)) return QImage();
  return Blocks(units, unit, origin, deviceArea);
}

QRect DeviceRectOf(QRect view, double ratio) {
  return QRect(QPoint(Floor(view.left() * ratio), Floor(view.top() * ratio)),
               QPoint(static_cast<int>(std::ceil((view.right() + 1) * ratio)) - 1,
                      static_cast<int>(std::ceil((view.bottom() + 1) * ratio)) - 1));
}

}  // namespace qarn
