#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

#include "map/indexed_canvas.h"

namespace qarn {

enum class MarkKind : uint8_t {
  Square,      // a point of "Points": 5 x 5 outline
  Cross,       // point 3 onwards of the selected object, or its only point
  ObjectDisc,  // point 1 of the selected object
  PointDisc,   // the point chosen in the point list
  Line,        // the selected object's direction, from point 1 towards point 2
};

// One mark at pixel positions; a line also holds the pixel it points at. The numbers of the
// object and point it stands for (0 where it stands for none) let the map find what is under the
// pointer.
struct Mark {
  MarkKind kind = MarkKind::Square;
  QPoint at;
  QPoint towards;
  int object = 0;
  int point = 0;
};

using MarkList = std::vector<Mark>;

// Where a direction line from `from` towards `to` ends: at `to`, or 12 pixels out in the same
// direction when `to` is nearer (two points on one pixel give a line to the right).
QPoint DirectionLineEnd(QPoint from, QPoint to);

// How far any mark but the line reaches from its point, in pixels.
constexpr int kPointMarkReach = 5;

// The pixels a mark may cover, clipped to `area` grown by a small margin.
QRect MarkBounds(const Mark& mark, QRect area);

// Draws the marks in order: outlines in `black`, disc fillings in `red`. Marks far outside the
// canvas are skipped.
template <class Pixel>
void DrawMarks(PixelCanvas<Pixel>& canvas, QSize size, const MarkList& marks, Pixel black,
               Pixel red);

}  // namespace qarn
