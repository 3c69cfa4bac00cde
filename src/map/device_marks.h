#pragma once

#include <QImage>
#include <QRect>

#include "map/map_marks.h"
#include "map/view_transform.h"

namespace qarn {

// The marks on a screen with more than one device pixel per view pixel (1.5 at a text scale of
// 150 %). Drawn into the map and scaled with it, a mark would come out uneven there: view pixels
// alternately cover one and two device pixels, so of two arms of a cross one is longer. Drawn
// here, a mark has its shape at one device pixel per view pixel, each of its pixels a square of
// MarkUnit device pixels, so its arms keep their proportions on every screen.

// Device pixels per pixel of a mark: the device pixels per view pixel, times the zoom from
// 100 % up (where the marks grow with the map), rounded; at least 1.
int MarkUnit(double scale, double ratio);

// How far past the view pixels of the map pixels a mark stands on it may reach, in view pixels.
int DeviceMarkReach(double scale, double ratio);

// The marks over `deviceArea` (device pixels of the view, `ratio` to a view pixel) as a layer:
// transparent but for the marks, in black and red; null where no mark shows.
QImage DeviceMarkLayer(const MarkList& marks, const ViewTransform& view, double ratio,
                       QRect deviceArea);

// The device pixels that show any part of the view rectangle `view`.
QRect DeviceRectOf(QRect view, double ratio);

}  // namespace qarn
