#pragma once

#include <QImage>
#include <QPoint>
#include <functional>

#include "map/map_marks.h"

namespace qarn {

class MapPicture;

// Draws `marks` (placed at map pixels) over `picture`, a smaller copy of the map, at their own
// size: each mark goes to the pixel `place` gives for its map pixel, so none fades away or
// vanishes as the map's own pixels do.
void DrawMarksOver(QImage& picture, MarkList marks, const std::function<QPoint(QPoint)>& place);

// The map with its marks made smaller for a thumbnail: the longer side `longestSide` pixels
// (at least 1), the pristine picture smoothed and the marks drawn over it at their own size. A
// map that is no larger already comes back as it is, never enlarged.
QImage ScaledMap(const MapPicture& picture, int longestSide);

}  // namespace qarn
