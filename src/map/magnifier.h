#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QSize>

namespace qarn {

// The magnifier: the 64 x 64 pixel square of the map around `center` (corners center - 32 and
// center + 32) stretched over the whole area without smoothing, the part beyond the picture in
// `outside`, then the cross-hair.
void PaintMagnifier(QPainter& p, const QImage& map, QPoint center, QSize size, QColor outside);

// Black lines from (0, h/2) to (w, h/2) and from (w/2, 0) to (w/2, h).
void PaintCrossHair(QPainter& p, QSize size);

}  // namespace qarn
