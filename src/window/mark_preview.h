#pragma once

#include <functional>
#include <map>
#include <optional>

#include "editing/selection.h"
#include "map/map_marks.h"

namespace qarn {

class MapPicture;
struct MapTransform;
struct tDesc;
class tHeader;

// Object n of the document, or of a change not yet made.
using ObjectNumbered = std::function<const tDesc&(int)>;

// The other selected objects stand out as the squares of their points beside the current
// object's marks.
MarkList WithOtherSelected(MarkList marks, const Selection& selection, const ObjectNumbered& object,
                           const MapTransform& t);

// The marks of a change not yet made: the map shows the objects as the change would leave them,
// and the marks shown before come back when the preview ends.
class MarkPreview {
 public:
  MarkPreview(MapPicture& map, const MapTransform& calibration);

  // The first call keeps the marks shown now. `changed` holds the objects the change alters by
  // number; the others are the document's. An object that cannot be drawn leaves the marks where
  // they last could be.
  void Show(const std::map<int, tDesc>& changed, const tHeader& doc, const Selection& selection);
  // False when no preview was shown.
  bool End();

 private:
  MapPicture& map_;
  const MapTransform& calibration_;
  std::optional<MarkList> before_;
};

}  // namespace qarn
