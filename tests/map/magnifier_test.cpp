#include "map/magnifier.h"

#include <gtest/gtest.h>

#include "map/map_palette.h"

namespace qarn {
namespace {

constexpr QRgb kBackground = qRgb(10, 20, 30);
constexpr QRgb kOutside = qRgb(200, 200, 200);

// A 1280 x 1600 map where every pixel tells its position.
QImage NumberedMap() {
  QImage map(1280, 1600, QImage::Format_RGB32);
  for (int y = 0; y < map.height(); ++y) {
    for (int x = 0; x < map.width(); ++x)
      map.setPixel(x, y, qRgb(x % 251, y % 241, 128 + (x + y) % 7));
  }
  return map;
}

class MagnifierTest : public ::testing::Test {
 protected:
  static inline const QImage map_ = NumberedMap();
  QImage view_{159, 151, QImage::Format_RGB32};

  void SetUp() override { view_.fill(kBackground); }
  void Magnify(QPoint center) {
    QPainter painter(&view_);
    PaintMagnifier(painter, map_, center, view_.size(), kOutside);
  }
  bool OnCrossHair(int x, int y) const { return x == 159 / 2 || y == 151 / 2; }
};

TEST_F(MagnifierTest, StretchesThe64PixelSquareAroundThePointerOverTheWholeArea) {
  Magnify({640, 800});
  EXPECT_EQ(view_.pixel(0, 0), map_.pixel(608, 768));
  EXPECT_EQ(view_.pixel(158, 150), map_.pixel(671, 831));
  int previous = 608;
  for (int x = 0; x < 159; ++x) {  // every map column shows, in order, two or three times
    if (OnCrossHair(x, 0)) continue;
    const int column = qRed(view_.pixel(x, 0)) + 502;
    EXPECT_TRUE(column == previous || column == previous + 1) << x;
    previous = column;
  }
  EXPECT_EQ(previous, 671);
  for (int y = 0; y < 151; y += 5) {
    for (int x = 0; x < 159; x += 5) {
      if (OnCrossHair(x, y)) continue;
      const QRgb shown = view_.pixel(x, y);
      const int mx = qRed(shown) + 2 * 251;  // the square's columns 608..671 and rows 768..831
      const int my = qGreen(shown) + 3 * 241;
      EXPECT_GE(mx, 608);
      EXPECT_LT(mx, 672);
      EXPECT_EQ(shown, map_.pixel(mx, my)) << "no blended colours";
    }
  }
}

TEST_F(MagnifierTest, DrawsTheCrossHairThroughTheMiddle) {
  Magnify({640, 800});
  for (int x = 0; x < 159; ++x) EXPECT_EQ(view_.pixel(x, 75), kMarkBlack) << x;
  for (int y = 0; y < 151; ++y) EXPECT_EQ(view_.pixel(79, y), kMarkBlack) << y;
  EXPECT_NE(view_.pixel(78, 74), kMarkBlack);
  EXPECT_NE(view_.pixel(80, 76), kMarkBlack);
}

TEST_F(MagnifierTest, ShowsTheOutsideColourBeyondThePicture) {
  Magnify({0, 0});
  EXPECT_EQ(view_.pixel(0, 0), kOutside);
  EXPECT_EQ(view_.pixel(77, 73), kOutside);
  EXPECT_EQ(view_.pixel(81, 77), map_.pixel(0, 0));
  EXPECT_EQ(view_.pixel(158, 150), map_.pixel(31, 31));
  Magnify({1279, 1599});
  EXPECT_EQ(view_.pixel(0, 0), map_.pixel(1247, 1567));
  EXPECT_EQ(view_.pixel(158, 150), kOutside);
}

TEST_F(MagnifierTest, APointerFarAwayShowsOnlyTheOutsideColourAndTheCrossHair) {
  Magnify({-5000, 2000000000});
  EXPECT_EQ(view_.pixel(10, 10), kOutside);
  EXPECT_EQ(view_.pixel(79, 10), kMarkBlack);
}

TEST_F(MagnifierTest, TheCrossHairAloneLeavesTheRestAsItWas) {
  {
    QPainter painter(&view_);
    PaintCrossHair(painter, view_.size());
  }
  EXPECT_EQ(view_.pixel(0, 75), kMarkBlack);
  EXPECT_EQ(view_.pixel(158, 75), kMarkBlack);
  EXPECT_EQ(view_.pixel(79, 0), kMarkBlack);
  EXPECT_EQ(view_.pixel(79, 150), kMarkBlack);
  int untouched = 0;
  for (int y = 0; y < 151; ++y) {
    for (int x = 0; x < 159; ++x) untouched += view_.pixel(x, y) == kBackground;
  }
  EXPECT_EQ(untouched, 159 * 151 - 159 - 151 + 1);
}

}  // namespace
}  // namespace qarn
