#pragma once

#include <QImage>
#include <optional>

#include "map/map_picture.h"
#include "map/map_transform.h"

namespace qarn {

class tHeader;

// The map with the document's marks as the editor draws them: squares at every point of every
// object, or the marks of object `object` (numbered from 1) alone.
QImage RenderPathSet(const QImage& pristine, const tHeader& doc, std::optional<int> object,
                     const MapTransform& t = {});
// The same, kept as a picture that knows its marks (for drawing them again at another scale).
MapPicture MarkedMap(const QImage& pristine, const tHeader& doc, std::optional<int> object,
                     const MapTransform& t = {});

}  // namespace qarn
