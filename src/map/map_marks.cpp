#include "map/map_marks.h"

#include <algorithm>

#include "geometry/polar.h"
#include "geometry/rounding.h"

namespace qarn {
namespace {

constexpr long double kShortestDirectionLine = 12.0L;
// No mark but the line reaches further than this from its point, so marks of points further
// outside the picture are skipped (which also keeps the corner arithmetic far from the integer
// limits).
constexpr int kMarkReach = 8;

bool MarkMayShow(QPoint p, QSize size) {
  return p.x() >= -kMarkReach && p.y() >= -kMarkReach && p.x() < size.width() + kMarkReach &&
         p.y() < size.height() + kMarkReach;
}

int64_t Clamp(int64_t v, int low, int high) {
  return std::clamp<int64_t>(v, low, high);
}

// The box from (x0, y0) to (x1, y1), both included, grown by `reach`, clipped to `area` grown by
// a margin; computed wide so points near the integer limits cannot overflow.
QRect ClippedBox(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int reach, QRect area) {
  constexpr int kMargin = 16;
  const QRect limit = area.adjusted(-kMargin, -kMargin, kMargin, kMargin);
  const int64_t l = Clamp(std::min(x0, x1) - reach, limit.left(), limit.right() + 1);
  const int64_t t = Clamp(std::min(y0, y1) - reach, limit.top(), limit.bottom() + 1);
  const int64_t r = Clamp(std::max(x0, x1) + reach, limit.left() - 1, limit.right());
  const int64_t b = Clamp(std::max(y0, y1) + reach, limit.top() - 1, limit.bottom());
  if (r < l || b < t) return QRect();
  return QRect(QPoint(int(l), int(t)), QPoint(int(r), int(b)));
}

template <class Pixel>
void DrawMark(PixelCanvas<Pixel>& canvas, QSize size, const Mark& m, Pixel black, Pixel red) {
  const QPoint p = m.at;
  if (m.kind == MarkKind::Line) {
    const QPoint end = DirectionLineEnd(p, m.towards);
    canvas.Line(p.x(), p.y(), end.x(), end.y(), black);
    return;
  }
  if (!MarkMayShow(p, size)) return;
  switch (m.kind) {
    case MarkKind::Square:
      canvas.RectangleOutline(p.x() - 2, p.y() - 2, p.x() + 3, p.y() + 3, black);
      break;
    case MarkKind::Cross:
      canvas.Diagonals(p.x(), p.y(), 4, black);
      break;
    default:  // the two discs
      canvas.Ellipse(p.x() - 4, p.y() - 4, p.x() + 4, p.y() + 4, black, red);
      break;
  }
}

}  // namespace

QPoint DirectionLineEnd(QPoint from, QPoint to) {
  long double length = 0;
  long double angle = 0;
  RectToPolar(static_cast<long double>(to.x()) - from.x(),
              static_cast<long double>(to.y()) - from.y(), length, angle);
  if (length >= kShortestDirectionLine) return to;
  long double dx = 0;
  long double dy = 0;
  PolarToRect(kShortestDirectionLine, angle, dx, dy);
  return QPoint(RoundToInt(from.x() + dx), RoundToInt(from.y() + dy));
}

QRect MarkBounds(const Mark& mark, QRect area) {
  const QPoint p = mark.at;
  if (mark.kind != MarkKind::Line) {
    return ClippedBox(p.x(), p.y(), p.x(), p.y(), kPointMarkReach, area);
  }
  const QPoint end = DirectionLineEnd(p, mark.towards);
  return ClippedBox(p.x(), p.y(), end.x(), end.y(), 1, area);
}

template <class Pixel>
void DrawMarks(PixelCanvas<Pixel>& canvas, QSize size, const MarkList& marks, Pixel black,
               Pixel red) {
  for (const Mark& mark : marks) DrawMark(canvas, size, mark, black, red);
}

template void DrawMarks(IndexedCanvas&, QSize, const MarkList&, uint8_t, uint8_t);
template void DrawMarks(ColourCanvas&, QSize, const MarkList&, QRgb, QRgb);

}  // namespace qarn
