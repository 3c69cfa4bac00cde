#pragma once

#include <QPoint>
#include <QRect>
#include <optional>
#include <span>
#include <vector>

#include "document/path_set_records.h"
#include "map/map_transform.h"
#include "map/view_transform.h"

namespace qarn {

// A point of the path set: object and point numbers, both from 1.
struct PointRef {
  int object = 0;
  int point = 0;
  bool operator==(const PointRef&) const = default;
};

// The point nearest the view pixel within `reach` view pixels (inclusive), measured from the
// view pixel under each point's map pixel. Of points equally near, the lowest object and point
// numbers win. Points that cannot be drawn on the map cannot be pointed at.
std::optional<PointRef> NearestPoint(const tHeader& doc, const MapTransform& calibration,
                                     const ViewTransform& view, QPoint viewPixel, double reach);

// The same among the given objects (ascending numbers) and their points 1 to `upTo` alone.
std::optional<PointRef> NearestPointOf(const tHeader& doc, std::span<const int> objects, int upTo,
                                       const MapTransform& calibration, const ViewTransform& view,
                                       QPoint viewPixel, double reach);

// The objects (ascending numbers) with at least one point whose map pixel lies in `mapArea`.
std::vector<int> ObjectsInside(const tHeader& doc, const MapTransform& calibration, QRect mapArea);

}  // namespace qarn
