#include "window/mark_preview.h"

#include <exception>

#include "map/map_picture.h"

namespace qarn {

MarkPreview::MarkPreview(MapPicture& map, const MapTransform& calibration)
    : map_(map), calibration_(calibration) {}

void MarkPreview::Show(const tDesc& object) {
  if (!before_) before_ = map_.Marks();
  try {
    map_.DrawObjectMarks(object, calibration_);
  } catch (const std::exception&) {
    // the marks that could be drawn are shown
  }
}

bool MarkPreview::End() {
  if (!before_) return false;
  map_.ShowMarks(std::move(*before_));
  before_.reset();
  return true;
}

}  // namespace qarn
