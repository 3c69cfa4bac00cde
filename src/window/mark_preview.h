#pragma once

#include <optional>

#include "map/map_marks.h"

namespace qarn {

class MapPicture;
struct MapTransform;
struct tDesc;

// The marks of a change not yet made: the map shows the object as the change would leave it, and
// the marks shown before come back when the preview ends.
class MarkPreview {
 public:
  MarkPreview(MapPicture& map, const MapTransform& calibration);

  // The first call keeps the marks shown now. An object that cannot be drawn leaves the marks
  // where they last could be.
  void Show(const tDesc& object);
  // False when no preview was shown.
  bool End();

 private:
  MapPicture& map_;
  const MapTransform& calibration_;
  std::optional<MarkList> before_;
};

}  // namespace qarn
