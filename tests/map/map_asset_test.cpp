// The committed map picture: its file format, its place in the resources, and that the generator
// in tools/ still draws exactly it.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>
#include <cstdint>

#include "map/map_picture.h"
#include "map/map_transform.h"

namespace qarn {
namespace {

constexpr int kFileBytes = 2049078;
constexpr int kPixelOffset = 1078;

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

uint32_t Word(const QByteArray& bytes, int offset, int size = 4) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
  return value;
}

class MapAssetTest : public ::testing::Test {
 protected:
  static inline const QByteArray committed_ = ReadAll(QStringLiteral(QARN_COMMITTED_MAP));
};

TEST_F(MapAssetTest, IsAn8BitTopDownBitmapOfTheStatedSize) {
  ASSERT_EQ(committed_.size(), kFileBytes);
  EXPECT_EQ(committed_.left(2), QByteArray("BM"));
  EXPECT_EQ(Word(committed_, 2), static_cast<uint32_t>(kFileBytes));
  EXPECT_EQ(Word(committed_, 10), static_cast<uint32_t>(kPixelOffset));
  EXPECT_EQ(Word(committed_, 14), 40u);  // the plain information header
  EXPECT_EQ(static_cast<int32_t>(Word(committed_, 18)), 1280);
  EXPECT_EQ(static_cast<int32_t>(Word(committed_, 22)), -1600);  // negative: rows top-down
  EXPECT_EQ(Word(committed_, 26, 2), 1u);                        // planes
  EXPECT_EQ(Word(committed_, 28, 2), 8u);                        // bits per pixel
  EXPECT_EQ(Word(committed_, 30), 0u);                           // uncompressed
  EXPECT_EQ(Word(committed_, 34), 1280u * 1600u);
  EXPECT_EQ(Word(committed_, 38), 3780u);  // pixels per metre
  EXPECT_EQ(Word(committed_, 42), 3780u);
  EXPECT_EQ(Word(committed_, 46), 256u);  // palette entries
}

TEST_F(MapAssetTest, ItsPaletteHoldsTheMarkColours) {
  ASSERT_EQ(committed_.size(), kFileBytes);
  bool black = false;
  bool red = false;
  for (int i = 0; i < 256; ++i) {
    const uint32_t bgr = Word(committed_, 54 + 4 * i);  // blue, green, red, reserved
    black = black || bgr == 0x000000;
    red = red || bgr == 0xFF0000;
  }
  EXPECT_TRUE(black);
  EXPECT_TRUE(red);
}

TEST_F(MapAssetTest, IsTheBuiltInMap) {
  EXPECT_EQ(ReadAll(QStringLiteral(":/map.bmp")), committed_);
  const QImage map = MapPicture::BuiltInMap();
  EXPECT_EQ(map.format(), QImage::Format_Indexed8);
  EXPECT_EQ(map.size(), QSize(1280, 1600));
  EXPECT_EQ(map.colorCount(), 256);
  // The file's first pixel row is the picture's top row.
  for (int x : {0, 333, 1279}) {
    EXPECT_EQ(map.pixelIndex(x, 0), static_cast<uint8_t>(committed_[kPixelOffset + x]));
    EXPECT_EQ(map.pixelIndex(x, 1599),
              static_cast<uint8_t>(committed_[kPixelOffset + 1599 * 1280 + x]));
  }
  // The pixels are the program's own read-only bytes, not a copy.
  const QResource resource(QStringLiteral(":/map.bmp"));
  EXPECT_EQ(map.constBits(), reinterpret_cast<const uchar*>(resource.data()) + kPixelOffset);
  // Qt's own reader sees the same picture.
  EXPECT_EQ(map, QImage::fromData(committed_, "BMP"));
}

// The working copy is made while the program's pages of the picture are handed back: both the
// copy and the pages read again afterwards are the committed picture.
TEST_F(MapAssetTest, TheWorkingCopyAndThePagesHandedBackAreTheCommittedPicture) {
  const MapPicture picture(MapPicture::BuiltInMap());
  const QByteArray pixels = committed_.mid(kPixelOffset, qsizetype{1280} * 1600);
  const auto bytes = [](const QImage& image) {
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
  };
  EXPECT_NE(picture.Image().constBits(), picture.Pristine().constBits());
  EXPECT_TRUE(bytes(picture.Image()) == pixels);
  EXPECT_TRUE(bytes(picture.Pristine()) == pixels);
}

bool Watery(QRgb colour) {
  return qBlue(colour) > qRed(colour) + 40;
}

TEST_F(MapAssetTest, TheWorldOriginIsOnLandAndTheCornerInTheSea) {
  const QImage map = MapPicture::BuiltInMap();
  const QPoint origin = MapTransform{}.PixelOf(0, 0);
  EXPECT_FALSE(Watery(map.pixel(origin)));
  EXPECT_TRUE(Watery(map.pixel(0, 0)));
}

TEST_F(MapAssetTest, TheGeneratorDrawsExactlyTheCommittedPicture) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString output = dir.filePath(QStringLiteral("map.bmp"));
  QProcess generator;
  generator.start(QStringLiteral(QARN_MAKE_MAP), {output});
  ASSERT_TRUE(generator.waitForFinished(120000)) << generator.errorString().toStdString();
  ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
  EXPECT_TRUE(ReadAll(output) == committed_) << "run make_map to refresh src/assets/map.bmp";
}

}  // namespace
}  // namespace qarn
