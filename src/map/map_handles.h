#pragma once

#include <QPoint>
#include <optional>
#include <span>

#include "map/hit_test.h"
#include "map/map_marks.h"
#include "map/view_transform.h"

namespace qarn {

// What the pointer can take hold of: the current object's disc at point 1 and the end of its
// direction line, one of its points, or point 1 of another selected object.
enum class MapHandle { None, Disc, LineEnd, Point, SelectedObject };

// A handle and, for a point or an object, which point it is.
struct MapGrip {
  MapHandle handle = MapHandle::None;
  PointRef point;
  bool operator==(const MapGrip&) const = default;
};

// The objects a press can take hold of: the current object and every one selected.
struct GripTargets {
  const tHeader& doc;
  const MapTransform& calibration;
  int current = 0;
  std::span<const int> selected;
};

// Where the marks draw a handle, in view pixels; empty when the marks have no such handle.
std::optional<QPoint> HandlePosition(const MarkList& marks, const ViewTransform& view,
                                     MapHandle handle);

// The handle under a view pixel: the end of the direction line, else the disc at point 1.
MapHandle HandleAt(const MarkList& marks, const ViewTransform& view, QPoint viewPixel);

// What a press at the view pixel takes hold of. Of overlapping handles the first wins, at every
// zoom alike (each reach grows with the size the marks are drawn at):
//   1. the end of the current object's direction line (turns the object),
//   2. its disc at point 1 (moves every selected object),
//   3. the nearest of its points (moves that point alone),
//   4. point 1 of another selected object (moves every selected object).
// With `pointsOnly` (Ctrl held) only 3 counts, so point 1 and a point under the line's end can be
// moved alone too.
MapGrip GripAt(const MarkList& marks, const GripTargets& targets, const ViewTransform& view,
               QPoint viewPixel, bool pointsOnly);

}  // namespace qarn
