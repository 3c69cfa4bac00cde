#include "map/map_handles.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace qarn {
namespace {

// How far from its drawn position a handle still takes the pointer, in view pixels.
// Discs and crosses reach 4 map pixels from their point, the line's end 2.
double Reach(MapHandle handle, const ViewTransform& view) {
  const double scale = std::max(view.Scale(), 1.0);
  return handle == MapHandle::LineEnd ? 2 * scale + 3 : 4 * scale + 1;
}

MapGrip PointGrip(const GripTargets& t, const ViewTransform& view, QPoint viewPixel) {
  const int current[] = {t.current};
  const double reach = Reach(MapHandle::Point, view);
  if (auto hit =
          NearestPointOf(t.doc, current, kMaxPoints, t.calibration, view, viewPixel, reach)) {
    return {MapHandle::Point, *hit};
  }
  return {};
}

const Mark* Find(const MarkList& marks, MarkKind kind) {
  const auto it =
      std::find_if(marks.begin(), marks.end(), [kind](const Mark& m) { return m.kind == kind; });
  return it == marks.end() ? nullptr : &*it;
}

bool Near(QPoint a, QPoint b, double reach) {
  const double dx = double(a.x()) - b.x();
  const double dy = double(a.y()) - b.y();
  return dx * dx + dy * dy <= reach * reach;
}

}  // namespace

std::optional<QPoint> HandlePosition(const MarkList& marks, const ViewTransform& view,
                                     MapHandle handle) {
  if (handle == MapHandle::Disc) {
    const Mark* disc = Find(marks, MarkKind::ObjectDisc);
    if (!disc) return std::nullopt;
    return view.ViewPixelOf(disc->at);
  }
  const Mark* line = Find(marks, MarkKind::Line);
  if (handle != MapHandle::LineEnd || !line) return std::nullopt;
  // Drawn in map pixels from 100 % up, in view pixels below: the short line's 12 pixels differ.
  if (view.Scale() >= 1.0) return view.ViewPixelOf(DirectionLineEnd(line->at, line->towards));
  return DirectionLineEnd(view.ViewPixelOf(line->at), view.ViewPixelOf(line->towards));
}

MapHandle HandleAt(const MarkList& marks, const ViewTransform& view, QPoint viewPixel) {
  for (MapHandle handle : {MapHandle::LineEnd, MapHandle::Disc}) {
    const std::optional<QPoint> at = HandlePosition(marks, view, handle);
    if (at && Near(*at, viewPixel, Reach(handle, view))) return handle;
  }
  return MapHandle::None;
}

MapGrip GripAt(const MarkList& marks, const GripTargets& targets, const ViewTransform& view,
               QPoint viewPixel, bool pointsOnly) {
  if (pointsOnly) return PointGrip(targets, view, viewPixel);
  switch (HandleAt(marks, view, viewPixel)) {
    case MapHandle::LineEnd:
      return {MapHandle::LineEnd, {targets.current, 2}};
    case MapHandle::Disc:
      return {MapHandle::Disc, {targets.current, 1}};
    default:
      break;
  }
  if (const MapGrip point = PointGrip(targets, view, viewPixel); point.handle != MapHandle::None) {
    return point;
  }
  std::vector<int> others;
  std::ranges::copy_if(targets.selected, std::back_inserter(others),
                       [&](int n) { return n != targets.current; });
  const std::optional<PointRef> first =
      NearestPointOf(targets.doc, others, 1, targets.calibration, view, viewPixel,
                     Reach(MapHandle::SelectedObject, view));
  if (first) return {MapHandle::SelectedObject, *first};
  return {};
}

}  // namespace qarn
