#include "map/map_picture_file.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "document/errors.h"
#include "map_test_support.h"
#include "odd_files.h"

namespace qarn {
namespace {

QByteArray Encoded(const QImage& picture, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, format);
  return bytes;
}

// A Windows bitmap header (1 bit per pixel) of any size, without pixels.
QByteArray BmpHeader(int width, int height) {
  QByteArray header(62, '\0');
  const auto put = [&header](int at, uint32_t value) {
    for (int i = 0; i < 4; ++i) header[at + i] = static_cast<char>(value >> (8 * i));
  };
  header[0] = 'B', header[1] = 'M';
  put(10, 62), put(14, 40), put(18, static_cast<uint32_t>(width));
  put(22, static_cast<uint32_t>(height)), put(26, 1 | 1 << 16);
  return header;
}

// The map's size as an 8-bit run-length compressed bitmap: every row one colour in runs of 255
// pixels, then the end-of-row mark, and the end-of-picture mark after the last row.
QByteArray RunLengthBmp() {
  QByteArray bmp = BmpHeader(1280, 1600);
  bmp[28] = 8, bmp[30] = 1;  // 8 bits per pixel, run-length compressed
  for (int row = 0; row < 1600; ++row) {
    for (int left = 1280; left > 0; left -= 255) bmp.append(char(std::min(left, 255))).append(1);
    bmp.append(2, '\0');
  }
  return bmp.append('\0').append(1);
}

// Each way a map picture can be refused, with the words of its message after the file's name.
struct BadMap {
  const char* label;
  std::function<bool(const QString& path)> make;  // false: cannot be made here
  const char* message;
};

class BadMapTest : public ::testing::TestWithParam<BadMap> {
 protected:
  QTemporaryDir dir;
};

bool Put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

TEST_P(BadMapTest, IsRefusedWithItsOwnMessageNamingTheFile) {
  const QString path = dir.filePath(QStringLiteral("map"));
  if (!GetParam().make(path)) GTEST_SKIP() << "cannot make " << GetParam().label << " here";
  const test::FifoWatchdog watchdog(path);
  try {
    ReadMapPictureFile(path);
    ADD_FAILURE() << "not refused";
  } catch (const QarnError& error) {
    const std::string quoted = '"' + path.toStdString() + '"';
    EXPECT_NE(std::string(error.what()).find(quoted + GetParam().message), std::string::npos)
        << error.what();
  }
  EXPECT_FALSE(watchdog.Fired()) << "the read blocked";
}

const QImage kMap = test::PlainPicture();

INSTANTIATE_TEST_SUITE_P(
    Pictures, BadMapTest,
    ::testing::Values(
        BadMap{"Folder", [](const QString& p) { return QDir().mkdir(p); },
               ": it is not a regular file but a folder."},
        BadMap{"Fifo", test::MakeFifo, ": it is not a regular file but a FIFO."},
        BadMap{"Missing", [](const QString&) { return true; }, ": No such file or directory."},
        BadMap{
            "OverQtsLimit",
            [](const QString& p) { return Put(p, "P5\n20000 20000\n255\n" + QByteArray(99, 0)); },
            " is 20000 x 20000 pixels; a map picture may be at most 8192 x 8192 pixels."},
        BadMap{"BmpOverQtsLimit", [](const QString& p) { return Put(p, BmpHeader(20000, 20000)); },
               " is 20000 x 20000 pixels; a map picture may be at most 8192 x 8192 pixels."},
        // Qt writes the four-colour picture with 4 bits per pixel: 70 + 1280 * 1600 / 2 bytes.
        BadMap{"TruncatedBmp",
               [](const QString& p) { return Put(p, Encoded(kMap, "BMP").first(100000)); },
               ": the file ends at byte 100000, before the end of its pixels at byte 1024070: the "
               "picture is cut short."},
        BadMap{"TruncatedRunLengthBmp",
               [](const QString& p) { return Put(p, RunLengthBmp().first(20001)); },
               ": the file ends at byte 20001, inside its run-length compressed pixels: the "
               "picture is cut short."},
        BadMap{"TruncatedPng",
               [](const QString& p) { return Put(p, Encoded(kMap, "PNG").chopped(20)); },
               ": its picture data is damaged or cut short (Unable to read image data)."},
        BadMap{"NotAPicture", [](const QString& p) { return Put(p, "giz_bridge01_l\n"); },
               ": it is not a picture in a format this program reads."}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(MapPictureFileTest, ReadsAWholePictureOfTheMapsSize) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("map.bmp"));
  ASSERT_TRUE(Put(path, Encoded(kMap, "BMP")));
  EXPECT_EQ(ReadMapPictureFile(path).convertToFormat(kMap.format(), kMap.colorTable()), kMap);
}

QByteArray BuiltInMap() {
  QFile file(QStringLiteral(":/map.bmp"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Rows stored from the top down (a negative height) or compressed: read as any other picture.
TEST(MapPictureFileTest, ReadsTopDownAndRunLengthBitmapsOfTheMapsSize) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("map.bmp"));
  for (const QByteArray& bmp :
       {BmpHeader(1280, -1600) + QByteArray(160 * 1600, 0), RunLengthBmp(), BuiltInMap()}) {
    ASSERT_TRUE(Put(path, bmp));
    EXPECT_EQ(ReadMapPictureFile(path).size(), QSize(1280, 1600));
  }
}

}  // namespace
}  // namespace qarn
