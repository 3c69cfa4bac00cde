#include "map/stretch_copy.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "document/errors.h"

namespace qarn {
namespace {

// Pixel (x, y) of the source has a colour of its own.
QImage Numbered(int width, int height) {
  QImage source(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) source.setPixel(x, y, qRgb(x * 3, y * 3, 100));
  }
  return source;
}

class StretchCopyTest : public ::testing::Test {
 protected:
  QImage dest_{40, 40, QImage::Format_RGB32};
  void SetUp() override { dest_.fill(qRgb(1, 2, 3)); }
  void CopyTo(const QImage& source, int sx1, int sy1, int sx2, int sy2, int dx1, int dy1, int dx2,
              int dy2) {
    QPainter painter(&dest_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);  // must not matter
    StretchCopy(source, sx1, sy1, sx2, sy2, painter, dx1, dy1, dx2, dy2);
    EXPECT_TRUE(painter.testRenderHint(QPainter::SmoothPixmapTransform)) << "hints restored";
  }
};

TEST_F(StretchCopyTest, EnlargesEachPixelIntoABlock) {
  const QImage source = Numbered(2, 2);
  CopyTo(source, 0, 0, 2, 2, 4, 4, 8, 8);
  for (int y = 4; y < 8; ++y) {
    for (int x = 4; x < 8; ++x)
      EXPECT_EQ(dest_.pixel(x, y), source.pixel((x - 4) / 2, (y - 4) / 2));
  }
  EXPECT_EQ(dest_.pixel(3, 4), qRgb(1, 2, 3));
  EXPECT_EQ(dest_.pixel(8, 8), qRgb(1, 2, 3));
}

TEST_F(StretchCopyTest, UnevenScalesShowOnlySourceColours) {
  const QImage source = Numbered(16, 16);
  std::set<QRgb> colours;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) colours.insert(source.pixel(x, y));
  }
  CopyTo(source, 0, 0, 16, 16, 0, 0, 39, 37);
  std::set<int> columnsSeen;
  for (int y = 0; y < 37; ++y) {
    for (int x = 0; x < 39; ++x) {
      ASSERT_EQ(colours.count(dest_.pixel(x, y)), 1u) << x << "," << y;
      columnsSeen.insert(qRed(dest_.pixel(x, y)) / 3);
    }
  }
  EXPECT_EQ(columnsSeen.size(), 16u);
  EXPECT_EQ(dest_.pixel(0, 0), source.pixel(0, 0));
  EXPECT_EQ(dest_.pixel(38, 36), source.pixel(15, 15));
}

TEST_F(StretchCopyTest, OppositeSignsMirrorTheCopy) {
  const QImage source = Numbered(4, 4);
  CopyTo(source, 0, 0, 4, 4, 8, 0, 0, 8);  // destination runs right to left
  EXPECT_EQ(dest_.pixel(0, 0), source.pixel(3, 0));
  EXPECT_EQ(dest_.pixel(7, 7), source.pixel(0, 3));
  CopyTo(source, 4, 4, 0, 0, 10, 10, 14, 14);  // source runs backwards both ways
  EXPECT_EQ(dest_.pixel(10, 10), source.pixel(3, 3));
  EXPECT_EQ(dest_.pixel(13, 10), source.pixel(0, 3));
}

TEST_F(StretchCopyTest, SourceOutsideThePictureLeavesTheDestinationAlone) {
  const QImage source = Numbered(8, 8);
  CopyTo(source, -4, -4, 4, 4, 0, 0, 16, 16);
  EXPECT_EQ(dest_.pixel(0, 0), qRgb(1, 2, 3));
  EXPECT_EQ(dest_.pixel(7, 7), qRgb(1, 2, 3));
  EXPECT_EQ(dest_.pixel(8, 8), source.pixel(0, 0));
  EXPECT_EQ(dest_.pixel(15, 15), source.pixel(3, 3));
  CopyTo(source, 100, 100, 120, 120, 0, 0, 40, 40);
  EXPECT_EQ(dest_.pixel(20, 20), qRgb(1, 2, 3));
}

TEST_F(StretchCopyTest, EmptyRectanglesCopyNothing) {
  CopyTo(Numbered(8, 8), 0, 0, 0, 8, 0, 0, 40, 40);
  CopyTo(Numbered(8, 8), 0, 0, 8, 8, 5, 5, 5, 40);
  EXPECT_EQ(dest_.pixel(5, 5), qRgb(1, 2, 3));
}

TEST_F(StretchCopyTest, CornerDifferencesBeyondTheIntegerRangeAreOverflowErrors) {
  const QImage source = Numbered(8, 8);
  EXPECT_THROW(CopyTo(source, INT_MIN, 0, 1, 8, 0, 0, 8, 8), OverflowError);
  EXPECT_THROW(CopyTo(source, 0, 1, 8, INT_MIN, 0, 0, 8, 8), OverflowError);
  EXPECT_THROW(CopyTo(source, 0, 0, 8, 8, -2, 0, INT_MAX, 8), OverflowError);
  EXPECT_THROW(CopyTo(source, 0, 0, 8, 8, 0, INT_MAX, 8, -2), OverflowError);
  EXPECT_NO_THROW(CopyTo(source, INT_MIN, INT_MIN, -1, -1, 0, 0, 8, 8));
}

}  // namespace
}  // namespace qarn
