#include "window/mark_preview.h"

#include <algorithm>
#include <exception>

#include "document/path_set_records.h"
#include "map/map_picture.h"
#include "map/map_transform.h"

namespace qarn {

MarkList WithOtherSelected(MarkList marks, const Selection& selection, const ObjectNumbered& object,
                           const MapTransform& t) {
  for (const int n : selection.objects) {
    if (n == selection.current) continue;
    const tDesc& other = object(n);
    const int count = static_cast<int>(std::min<uint32_t>(other.pointCount, kMaxPoints));
    for (int k = 1; k <= count; ++k) {
      QPoint pixel;
      if (t.DrawablePixel(other.Point(k).x, other.Point(k).z, pixel)) {
        marks.push_back({MarkKind::Square, pixel, {}, n, k});
      }
    }
  }
  return marks;
}

MarkPreview::MarkPreview(MapPicture& map, const MapTransform& calibration)
    : map_(map), calibration_(calibration) {}

void MarkPreview::Show(const std::map<int, tDesc>& changed, const tHeader& doc,
                       const Selection& selection) {
  if (!before_) before_ = map_.Marks();
  const ObjectNumbered object = [&](int n) -> const tDesc& {
    const auto it = changed.find(n);
    return it != changed.end() ? it->second : doc.Object(n);
  };
  try {
    map_.DrawObjectMarks(object(selection.current), calibration_);
  } catch (const std::exception&) {
    // the marks that could be drawn are shown
  }
  if (selection.objects.size() > 1) {
    map_.ShowMarks(WithOtherSelected(map_.Marks(), selection, object, calibration_));
  }
}

bool MarkPreview::End() {
  if (!before_) return false;
  map_.ShowMarks(std::move(*before_));
  before_.reset();
  return true;
}

}  // namespace qarn
