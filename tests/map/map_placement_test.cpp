#include "map/map_placement.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "document/errors.h"
#include "map/map_picture.h"
#include "map_test_support.h"

namespace qarn {
namespace {

class MapPlacementTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;

  QString Picture(const QString& name, QSize size) {
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(test::PlainPicture(size.width(), size.height()).save(path));
    return path;
  }

  QString Text(const QString& name, const QByteArray& text) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return path;
  }
};

TEST_F(MapPlacementTest, AWorldFileBesideThePicturePlacesIt) {
  for (const char* name : {"a.pgw", "a.pngw", "a.wld", "a.PGW"}) {
    const QString picture = Picture("a.png", {2000, 1500});
    const QString world = Text(name, "0.5\n0\n0\n0.5\n-100\n-200\n");
    const PlacedMap placed = LoadPlacedMap(picture);
    EXPECT_EQ(placed.picture.size(), QSize(2000, 1500));
    ASSERT_TRUE(placed.calibration) << name;
    EXPECT_EQ(placed.calibration->originColumn, 200.0f) << name;
    EXPECT_EQ(placed.calibration->originRow, 400.0f) << name;
    EXPECT_EQ(placed.worldFile, world);
    QFile::remove(world);
  }
}

TEST_F(MapPlacementTest, WithoutAWorldFileOnlyTheBuiltInSizeIsPlaced) {
  EXPECT_EQ(LoadPlacedMap(Picture("same.png", {1280, 1600})).calibration, MapCalibration());
  const PlacedMap other = LoadPlacedMap(Picture("other.png", {2000, 1500}));
  EXPECT_FALSE(other.calibration);
  EXPECT_TRUE(other.worldFile.isEmpty());
}

TEST_F(MapPlacementTest, ABadWorldFileIsRefusedNamingIt) {
  const QString picture = Picture("b.jpg", {300, 200});
  const QString world = Text("b.jgw", "1\n0.5\n0\n1\n0\n0\n");
  try {
    LoadPlacedMap(picture);
    FAIL() << "accepted";
  } catch (const QarnError& error) {
    EXPECT_EQ(std::string(error.what()).rfind(world.toStdString() + ": the picture is rotated", 0),
              0u)
        << error.what();
  }
}

TEST_F(MapPlacementTest, TheWrittenWorldFileIsFoundAndReadBack) {
  const QString picture = Picture("c.png", {640, 480});
  const MapCalibration c{0.75f, 1.25f, 12.5f, -3.0f};
  const QString written = WriteWorldFile(picture, c);
  EXPECT_EQ(QFileInfo(written).fileName(), "c.pgw");
  EXPECT_EQ(LoadPlacedMap(picture).calibration, c);
  // Writing again replaces the same file, whatever its name.
  QFile::rename(written, dir_.filePath("c.wld"));
  EXPECT_EQ(WriteWorldFile(picture, MapCalibration()), dir_.filePath("c.wld"));
  EXPECT_EQ(LoadPlacedMap(picture).calibration, MapCalibration());
}

}  // namespace
}  // namespace qarn
