#include "map/stretch_copy.h"

#include <QRectF>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "document/errors.h"

namespace qarn {
namespace {

int CheckedDifference(int to, int from, const char* what) {
  const int64_t difference = static_cast<int64_t>(to) - from;
  if (difference < std::numeric_limits<int32_t>::min() ||
      difference > std::numeric_limits<int32_t>::max()) {
    throw OverflowError(std::string("the ") + what + " of a stretched copy, " + std::to_string(to) +
                        " - " + std::to_string(from) + ", leaves the 32-bit range.");
  }
  return static_cast<int>(difference);
}

// One axis of the copy: the source span [a, a + length) with a signed length, seen through a
// picture of `size` pixels, landing on the destination span [at, at + extent) (signed extent).
struct Axis {
  int64_t first = 0;  // visible source pixels: first..last-1
  int64_t last = 0;
  qreal to = 0;  // where they land, and how far they reach
  qreal reach = 0;
  bool mirrored = false;
};

Axis MapAxis(int a, int length, int size, int at, int extent) {
  Axis axis;
  const int64_t start = std::min<int64_t>(a, static_cast<int64_t>(a) + length);
  const int64_t span = std::abs(static_cast<int64_t>(length));
  axis.first = std::max<int64_t>(start, 0);
  axis.last = std::min<int64_t>(start + span, size);
  axis.mirrored = (length < 0) != (extent < 0);
  const qreal scale = std::abs(static_cast<qreal>(extent)) / static_cast<qreal>(span);
  const int64_t skipped = axis.mirrored ? start + span - axis.last : axis.first - start;
  axis.to = std::min<qreal>(at, static_cast<qreal>(at) + extent) + skipped * scale;
  axis.reach = (axis.last - axis.first) * scale;
  return axis;
}

}  // namespace

void StretchCopy(const QImage& source, int sx1, int sy1, int sx2, int sy2, QPainter& dest, int dx1,
                 int dy1, int dx2, int dy2) {
  const int sw = CheckedDifference(sx2, sx1, "source width");
  const int sh = CheckedDifference(sy2, sy1, "source height");
  const int dw = CheckedDifference(dx2, dx1, "destination width");
  const int dh = CheckedDifference(dy2, dy1, "destination height");
  if (sw == 0 || sh == 0 || dw == 0 || dh == 0) return;
  const Axis x = MapAxis(sx1, sw, source.width(), dx1, dw);
  const Axis y = MapAxis(sy1, sh, source.height(), dy1, dh);
  if (x.last <= x.first || y.last <= y.first) return;
  // Only the visible part is converted for drawing, never the whole picture.
  QImage piece =
      source.copy(static_cast<int>(x.first), static_cast<int>(y.first),
                  static_cast<int>(x.last - x.first), static_cast<int>(y.last - y.first));
  if (x.mirrored || y.mirrored) piece = piece.mirrored(x.mirrored, y.mirrored);
  // Qt scales 32-bit pictures directly; an indexed one would take its generic path, which looks
  // every pixel up through the palette and costs the magnifier several times a copy of the map.
  if (piece.format() == QImage::Format_Indexed8) {
    piece = piece.convertToFormat(piece.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32);
  }
  dest.save();
  dest.setRenderHint(QPainter::SmoothPixmapTransform, false);
  dest.drawImage(QRectF(x.to, y.to, x.reach, y.reach), piece);
  dest.restore();
}

}  // namespace qarn
