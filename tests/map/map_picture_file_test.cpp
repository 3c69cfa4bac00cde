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

}  // namespace
}  // namespace qarn
