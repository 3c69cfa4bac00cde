#include "map/render.h"

#include "document/path_set_records.h"

namespace qarn {

QImage RenderPathSet(const QImage& pristine, const tHeader& doc, std::optional<int> object,
                     const MapTransform& t) {
  return MarkedMap(pristine, doc, object, t).Image();
}

MapPicture MarkedMap(const QImage& pristine, const tHeader& doc, std::optional<int> object,
                     const MapTransform& t) {
  MapPicture picture(pristine);
  if (object) {
    picture.DrawObjectMarks(doc.Object(*object), t, *object);
  } else {
    picture.DrawAllPoints(doc, t);
  }
  return picture;
}

}  // namespace qarn
