#include "map/map_placement.h"

#include <QFileInfo>

#include "document/errors.h"
#include "fileio/read_file.h"
#include "fileio/safe_write.h"
#include "map/map_picture.h"

namespace qarn {
namespace {

constexpr qint64 kLongestWorldFile = 4096;  // six numbers and some spaces

// The world file's names for a picture, the preferred first; each also in capitals ("MAP.PGW"
// beside "MAP.PNG" from a camera or a Windows tool).
QStringList WorldFileNames(const QString& picturePath) {
  const QFileInfo picture(picturePath);
  const QString base = picture.path() + '/' + picture.completeBaseName() + '.';
  const QString suffix = picture.suffix();
  QStringList endings;
  if (suffix.size() >= 2) endings << QString(suffix.front()) + suffix.back() + 'w';
  if (!suffix.isEmpty()) endings << suffix + 'w';
  endings << QStringLiteral("wld");
  QStringList names;
  for (const QString& ending : endings) names << base + ending << base + ending.toUpper();
  return names;
}

}  // namespace

QString ExistingWorldFile(const QString& picturePath) {
  for (const QString& name : WorldFileNames(picturePath)) {
    if (QFileInfo(name).isFile()) return name;
  }
  return {};
}

QString NewWorldFilePath(const QString& picturePath) {
  return WorldFileNames(picturePath).front();
}

MapCalibration ReadWorldFile(const QString& path) {
  return WithPlace(path.toStdString(), [&] {
    const QByteArray text = ReadRegularFile(path, kLongestWorldFile, [](qint64 length) {
      throw QarnError("it is " + std::to_string(length) +
                      " bytes long; a world file holds six numbers.");
    });
    return CalibrationOf(ParseWorldFile(text.toStdString()));
  });
}

QString WriteWorldFile(const QString& picturePath, const MapCalibration& calibration) {
  QString path = ExistingWorldFile(picturePath);
  if (path.isEmpty()) path = NewWorldFilePath(picturePath);
  WriteFileSafely(path, QByteArray::fromStdString(WorldFileText(calibration)));
  return path;
}

PlacedMap LoadPlacedMap(const QString& path) {
  PlacedMap placed;
  placed.picture = MapPicture::LoadUserMap(path);
  placed.worldFile = ExistingWorldFile(path);
  if (!placed.worldFile.isEmpty()) {
    placed.calibration = ReadWorldFile(placed.worldFile);
  } else if (placed.picture.size() == QSize(kMapWidth, kMapHeight)) {
    placed.calibration = MapCalibration();
  }
  return placed;
}

}  // namespace qarn
