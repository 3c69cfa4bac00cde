#include "map/render.h"

#include "document/path_set_records.h"
#include "map/map_picture.h"

namespace qarn {

QImage RenderPathSet(const QImage& pristine, const tHeader& doc, std::optional<int> object,
                     const MapTransform& t) {
  MapPicture picture(pristine);
  if (object) {
    picture.DrawObjectMarks(doc.Object(*object), t, *object);
  } else {
    picture.DrawAllPoints(doc, t);
  }
  return picture.Image();
}

}  // namespace qarn
