#include "map/map_handles.h"

#include <algorithm>

namespace qarn {
namespace {

// How far from its drawn position a handle still takes the pointer, in view pixels.
double Reach(MapHandle handle, const ViewTransform& view) {
  const double scale = std::max(view.Scale(), 1.0);
  return handle == MapHandle::Disc ? 4 * scale + 1 : 2 * scale + 3;
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

}  // namespace qarn
