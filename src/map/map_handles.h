#pragma once

#include <QPoint>
#include <optional>

#include "map/map_marks.h"
#include "map/view_transform.h"

namespace qarn {

// The parts of the selected object's marks the pointer can take hold of.
enum class MapHandle { None, Disc, LineEnd };

// Where the marks draw a handle, in view pixels; empty when the marks have no such handle.
std::optional<QPoint> HandlePosition(const MarkList& marks, const ViewTransform& view,
                                     MapHandle handle);

// The handle under a view pixel: the end of the direction line, else the disc at point 1.
MapHandle HandleAt(const MarkList& marks, const ViewTransform& view, QPoint viewPixel);

}  // namespace qarn
