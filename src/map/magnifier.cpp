#include "map/magnifier.h"

#include <QPen>
#include <algorithm>

#include "map/stretch_copy.h"

namespace qarn {
namespace {

constexpr int kHalfSource = 32;
// Keeps center +- 32 inside the integer range for any pointer position.
constexpr int kFarthestCenter = 1 << 30;

}  // namespace

void PaintMagnifier(QPainter& p, const QImage& map, QPoint center, QSize size, QColor outside) {
  const int x = std::clamp(center.x(), -kFarthestCenter, kFarthestCenter);
  const int y = std::clamp(center.y(), -kFarthestCenter, kFarthestCenter);
  p.fillRect(QRect(QPoint(0, 0), size), outside);
  StretchCopy(map, x - kHalfSource, y - kHalfSource, x + kHalfSource, y + kHalfSource, p, 0, 0,
              size.width(), size.height());
  PaintCrossHair(p, size);
}

void PaintCrossHair(QPainter& p, QSize size) {
  const int w = size.width();
  const int h = size.height();
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, 0));
  p.drawLine(0, h / 2, w, h / 2);
  p.drawLine(w / 2, 0, w / 2, h);
  p.restore();
}

}  // namespace qarn
