#pragma once

#include <QImage>
#include <QString>
#include <optional>

#include "map/map_calibration.h"

namespace qarn {

// A map picture and where it lies in the world.
struct PlacedMap {
  QImage picture;  // markable (ToMarkablePicture)
  // None when the picture has no world file and is not the built-in map's size: it has to be
  // calibrated before its marks mean anything.
  std::optional<MapCalibration> calibration;
  QString worldFile;  // the world file that placed it, or empty
};

// The world file beside a picture, by the usual names: "map.pgw" or "map.pngw" for "map.png",
// then "map.wld". Empty when there is none.
QString ExistingWorldFile(const QString& picturePath);
// The name a new world file for the picture gets: "map.pgw" for "map.png".
QString NewWorldFilePath(const QString& picturePath);

// The calibration in a world file; the errors name the file ("map.pgw: line 3: ...").
MapCalibration ReadWorldFile(const QString& path);
// Writes the picture's world file (NewWorldFilePath, or the one it has) through the one write
// path; InOutError naming the file when it cannot be written. Returns the file's path.
QString WriteWorldFile(const QString& picturePath, const MapCalibration& calibration);

// The picture in `path` (any size up to kLargestMapSide on each side, refusals as
// ReadMapPictureFile's) with its world file, or the built-in calibration when it has none and is
// 1280 x 1600 pixels.
PlacedMap LoadPlacedMap(const QString& path);

}  // namespace qarn
