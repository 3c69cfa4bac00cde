#pragma once

#include <QImage>
#include <QPainter>

namespace qarn {

// Copies the source rectangle with corners (sx1, sy1) and (sx2, sy2) onto the destination
// rectangle with corners (dx1, dy1) and (dx2, dy2), scaled to fit, pixel for pixel without
// smoothing. A width or height whose sign differs between source and destination mirrors the
// copy; source parts outside the picture leave the destination as it was. Throws OverflowError
// when a corner difference leaves the signed 32-bit range.
void StretchCopy(const QImage& source, int sx1, int sy1, int sx2, int sy2, QPainter& dest, int dx1,
                 int dy1, int dx2, int dy2);

}  // namespace qarn
