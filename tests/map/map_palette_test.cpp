#include "map/map_palette.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <set>
#include <string>

#include "document/errors.h"
#include "map/map_picture.h"

namespace qarn {
namespace {

// A picture with one colour per 10 x 10 tile, neither black nor red among them.
QImage Tiles(int width, int height, int colours) {
  QImage picture(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int c = (y / 10 * (width / 10) + x / 10) % colours;
      picture.setPixel(x, y, qRgb(40 + c % 16 * 12, 60 + c / 16 * 12, 90));
    }
  }
  return picture;
}

std::set<QRgb> ColoursOf(const QImage& picture) {
  std::set<QRgb> colours;
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    for (int x = 0; x < rgb.width(); ++x) colours.insert(rgb.pixel(x, y) | 0xFF000000);
  }
  return colours;
}

TEST(MapPaletteTest, FindsColoursWhateverTheirAlpha) {
  QImage picture(4, 4, QImage::Format_Indexed8);
  picture.setColorTable({qRgba(1, 2, 3, 255), qRgba(255, 0, 0, 0), kMarkBlack});
  EXPECT_EQ(PaletteIndex(picture, kMarkRed), 1);
  EXPECT_EQ(PaletteIndex(picture, kMarkBlack), 2);
  EXPECT_EQ(PaletteIndex(picture, qRgb(1, 2, 4)), -1);
}

// Grey and two-colour scans become palette pictures directly, with their shades unchanged.
TEST(MapPaletteTest, GreyAndMonochromePicturesKeepEveryShade) {
  QImage grey(300, 20, QImage::Format_Grayscale8);
  for (int y = 0; y < grey.height(); ++y) {
    for (int x = 0; x < grey.width(); ++x) grey.scanLine(y)[x] = uchar(x % 200);
  }
  QImage mono(64, 8, QImage::Format_Mono);
  mono.setColorTable({qRgb(255, 255, 255), qRgb(20, 30, 40)});
  for (int x = 0; x < 64; ++x) mono.setPixel(x, x % 8, uint(x % 3 == 0));
  for (const QImage& source : {grey, mono}) {
    const QImage markable = ToMarkablePicture(source);
    EXPECT_EQ(markable.format(), QImage::Format_Indexed8);
    EXPECT_GE(PaletteIndex(markable, kMarkRed), 0);
    EXPECT_EQ(markable.convertToFormat(QImage::Format_RGB32),
              source.convertToFormat(QImage::Format_RGB32));
  }
}

TEST(MapPaletteTest, AddsTheMarkColoursWhileKeepingEveryPixel) {
  const QImage source = Tiles(80, 60, 12);
  const QImage markable = ToMarkablePicture(source);
  EXPECT_EQ(markable.format(), QImage::Format_Indexed8);
  EXPECT_GE(PaletteIndex(markable, kMarkBlack), 0);
  EXPECT_GE(PaletteIndex(markable, kMarkRed), 0);
  EXPECT_EQ(markable.convertToFormat(QImage::Format_RGB32), source);
}

TEST(MapPaletteTest, AFullPaletteGivesUpItsLeastUsedEntries) {
  QImage picture(160, 160, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (int i = 0; i < 256; ++i) table.append(qRgb(i, 128, 255 - i / 2));
  picture.setColorTable(table);
  for (int y = 0; y < 160; ++y) {
    for (int x = 0; x < 160; ++x) picture.setPixel(x, y, (x + y * 160) % 250);  // 250..255 unused
  }
  picture.setPixel(0, 0, 250);  // 250 is used once, 251..255 not at all
  const QImage markable = ToMarkablePicture(picture);
  EXPECT_EQ(markable.colorCount(), 256);
  EXPECT_GE(PaletteIndex(markable, kMarkBlack), 0);
  EXPECT_GE(PaletteIndex(markable, kMarkRed), 0);
  const std::set<QRgb> colours = ColoursOf(markable);
  EXPECT_EQ(colours.count(kMarkBlack), 0u) << "no map pixel turns into a mark colour";
  EXPECT_EQ(colours.count(kMarkRed), 0u);
  EXPECT_EQ(markable.pixelIndex(0, 0), 250) << "a used entry is kept while unused ones exist";
  EXPECT_EQ(markable.pixelIndex(17, 3), picture.pixelIndex(17, 3));
}

TEST(MapPaletteTest, AFullyUsedPaletteMovesThePixelsOfAGivenUpEntryToTheNearestColour) {
  QImage picture(256, 4, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (int i = 0; i < 256; ++i) table.append(qRgb(i, i, 200));
  picture.setColorTable(table);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 256; ++x) picture.setPixel(x, y, x);
  }
  picture.setPixel(77, 0, 3);  // entry 77 now has the fewest pixels
  const QImage markable = ToMarkablePicture(picture);
  const QRgb moved = markable.pixel(77, 1);
  EXPECT_LE(std::abs(qRed(moved) - 77), 2);
  EXPECT_EQ(qBlue(moved), 200);
}

class LoadUserMapTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  QString Save(const QImage& picture, const char* name) {
    const QString path = dir_.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(picture.save(path));
    return path;
  }
};

TEST_F(LoadUserMapTest, TakesAPictureOfTheMapsSizeInAnyFormat) {
  const QImage source = Tiles(1280, 1600, 40);
  const QImage loaded = MapPicture::LoadUserMap(Save(source, "city.png"));
  EXPECT_EQ(loaded.format(), QImage::Format_Indexed8);
  EXPECT_EQ(loaded.size(), QSize(1280, 1600));
  EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), source);
  EXPECT_NO_THROW(MapPicture{loaded});
}

TEST_F(LoadUserMapTest, RefusesALargerPictureNamingTheFileAndItsSize) {
  const QString path = Save(Tiles(8193, 4, 4), "wide.png");
  try {
    MapPicture::LoadUserMap(path);
    FAIL() << "no error";
  } catch (const QarnError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find(path.toStdString()), std::string::npos) << message;
    EXPECT_NE(message.find("8193 x 4"), std::string::npos) << message;
    EXPECT_NE(message.find("8192 x 8192"), std::string::npos) << message;
  }
}

TEST_F(LoadUserMapTest, AFileThatIsNoPictureIsAnInputOutputError) {
  const QString missing = dir_.filePath(QStringLiteral("missing.png"));
  EXPECT_THROW(MapPicture::LoadUserMap(missing), InOutError);
  QFile text(dir_.filePath(QStringLiteral("notes.png")));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not a picture");
  text.close();
  try {
    MapPicture::LoadUserMap(text.fileName());
    FAIL() << "no error";
  } catch (const InOutError& error) {
    EXPECT_NE(std::string(error.what()).find("notes.png"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace qarn
