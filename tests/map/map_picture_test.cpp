#include "map/map_picture.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "document/errors.h"
#include "map/map_transform.h"
#include "map_test_support.h"

namespace qarn {
namespace {

using test::Changes;
using test::kBlackIndex;
using test::kRedIndex;
using test::MakeDocument;
using test::PixelMap;
using test::WorldPoint;

// Expected marks, spelled out pixel by pixel from their definitions.
PixelMap Square(QPoint c) {
  PixelMap pixels;
  for (int d = -2; d <= 2; ++d) {
    pixels[{c.x() + d, c.y() - 2}] = pixels[{c.x() + d, c.y() + 2}] = kBlackIndex;
    pixels[{c.x() - 2, c.y() + d}] = pixels[{c.x() + 2, c.y() + d}] = kBlackIndex;
  }
  return pixels;
}

PixelMap Cross(QPoint c) {
  PixelMap pixels;
  for (int d = -4; d <= 3; ++d) {
    pixels[{c.x() + d, c.y() + d}] = pixels[{c.x() + d, c.y() - d}] = kBlackIndex;
  }
  return pixels;
}

PixelMap Join(PixelMap a, const PixelMap& b) {
  for (const auto& [at, index] : b) a[at] = index;
  return a;
}

PixelMap Within(const PixelMap& pixels, int width, int height) {
  PixelMap inside;
  for (const auto& [at, index] : pixels) {
    if (at.first >= 0 && at.second >= 0 && at.first < width && at.second < height) {
      inside[at] = index;
    }
  }
  return inside;
}

class MapPictureTest : public ::testing::Test {
 protected:
  MapPicture picture_{test::PlainPicture()};
  MapTransform t_;

  PixelMap Marks() const { return Changes(picture_.Pristine(), picture_.Image()); }
  // The world position whose pixel is (column, row).
  WorldPoint At(int column, int row, float height = 0) const {
    return {t_.MapToWorldX(static_cast<float>(column)), height,
            t_.MapToWorldZ(static_cast<float>(row))};
  }
  void DrawObject(const std::vector<WorldPoint>& points) {
    picture_.DrawObjectMarks(MakeDocument({points}).Object(1), t_);
  }
  uint8_t Pixel(int x, int y) const {
    return static_cast<uint8_t>(picture_.Image().pixelIndex(x, y));
  }
};

TEST_F(MapPictureTest, RefusesPicturesItCannotMarkOn) {
  EXPECT_THROW(MapPicture(QImage(16, 16, QImage::Format_RGB32)), QarnError);
  QImage noRed = test::PlainPicture(16, 16);
  noRed.setColorTable({qRgb(250, 248, 240), qRgb(0, 0, 0)});
  EXPECT_THROW(MapPicture{noRed}, QarnError);
  QImage noBlack = test::PlainPicture(16, 16);
  noBlack.setColorTable({qRgb(250, 248, 240), qRgb(1, 0, 0), qRgb(255, 0, 0)});
  EXPECT_THROW(MapPicture{noBlack}, QarnError);
}

TEST_F(MapPictureTest, StartsAsThePristinePicture) {
  EXPECT_EQ(picture_.Image(), picture_.Pristine());
  EXPECT_EQ(picture_.Image().format(), QImage::Format_Indexed8);
}

TEST_F(MapPictureTest, TheWorldOriginsSquareIsCentredOnItsPixelWhateverTheHeight) {
  for (float height : {0.0f, 250.0f, -3.5f, 1e30f, std::numeric_limits<float>::quiet_NaN()}) {
    picture_.DrawAllPoints(MakeDocument({{{0, height, 0}}}), t_);
    EXPECT_EQ(Marks(), Square({1008, 940})) << height;
  }
}

TEST_F(MapPictureTest, OneScaleStepIsTheNextPixel) {
  picture_.DrawAllPoints(MakeDocument({{{2.82f, 0, 3.04f}}}), t_);
  EXPECT_EQ(Marks(), Square({1009, 941}));
}

TEST_F(MapPictureTest, EveryPointOfEveryObjectGetsASquare) {
  picture_.DrawAllPoints(MakeDocument({{At(100, 200), At(300, 400)}, {}, {At(1200, 1500)}}), t_);
  EXPECT_EQ(Marks(), Join(Join(Square({100, 200}), Square({300, 400})), Square({1200, 1500})));
}

TEST_F(MapPictureTest, PointsOnOneSpotShareTheirSquare) {
  picture_.DrawAllPoints(MakeDocument({{At(500, 500)}, {At(500, 500), At(500, 500)}}), t_);
  EXPECT_EQ(Marks(), Square({500, 500}));
}

TEST_F(MapPictureTest, SquaresAreClippedAtThePictureEdges) {
  picture_.DrawAllPoints(MakeDocument({{At(0, 0), At(1279, 1599), At(1281, 800)}}), t_);
  const PixelMap expected = Join(Join(Square({0, 0}), Square({1279, 1599})), Square({1281, 800}));
  EXPECT_EQ(Marks(), Within(expected, 1280, 1600));
  EXPECT_EQ(Marks().count({1279, 800}), 1u);  // the left edge of the last square
}

TEST_F(MapPictureTest, PointsFarOutsideThePictureLeaveNoMark) {
  picture_.DrawAllPoints(MakeDocument({{{1e6f, 0, 0}, {0, 0, -1e6f}, {-6e9f, 0, 6e9f}}}), t_);
  EXPECT_TRUE(Marks().empty());
}

TEST_F(MapPictureTest, EachDrawingStartsFromThePristinePicture) {
  picture_.DrawAllPoints(MakeDocument({{At(10, 10)}}), t_);
  picture_.DrawAllPoints(MakeDocument({{At(20, 20)}}), t_);
  EXPECT_EQ(Marks(), Square({20, 20}));
  picture_.Restore();
  EXPECT_EQ(picture_.Image(), picture_.Pristine());
}

// What cannot be drawn does not stop the drawing: every other mark is drawn, then the first
// failure is raised with its place.
struct Undrawable {
  const char* label;
  std::vector<std::vector<WorldPoint>> objects;
  uint32_t secondCount;  // object 2's declared point count; 0 for its points' number
  const char* message;
  std::vector<QPoint> squares;
};

class UndrawableTest : public MapPictureTest, public ::testing::WithParamInterface<Undrawable> {};

TEST_P(UndrawableTest, AllOtherSquaresAreDrawnThenTheFirstFailureIsNamed) {
  tHeader doc = MakeDocument(GetParam().objects);
  if (GetParam().secondCount != 0) doc.Object(2).pointCount = GetParam().secondCount;
  try {
    picture_.DrawAllPoints(doc, t_);
    FAIL() << "no range error";
  } catch (const RangeCheckError& error) {
    EXPECT_STREQ(error.what(), GetParam().message);
  }
  PixelMap squares;
  for (QPoint at : GetParam().squares) squares = Join(squares, Square(at));
  EXPECT_EQ(Marks(), squares);
}

const float kNan = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();

// The world point on pixel (column, row) of the starting transform.
WorldPoint OnPixel(int column, int row) {
  const MapTransform t;
  return {t.MapToWorldX(static_cast<float>(column)), 0, t.MapToWorldZ(static_cast<float>(row))};
}

INSTANTIATE_TEST_SUITE_P(
    Failures, UndrawableTest,
    ::testing::Values(
        Undrawable{"PixelBeyondTheIntegerRange",
                   {{OnPixel(60, 70), {1e10f, 0, 0}, OnPixel(90, 90)}},
                   0,
                   "object 1, point 2: x is 1e+10 and cannot be drawn on the map.",
                   {{60, 70}, {90, 90}}},
        Undrawable{"NanAndInfinityTheFirstIsNamed",
                   {{OnPixel(60, 70)}, {OnPixel(30, 30), {0, 0, kNan}}, {{-kInfinity, 0, 0}}},
                   0,
                   "object 2, point 2: z is nan and cannot be drawn on the map.",
                   {{60, 70}, {30, 30}}},
        Undrawable{"TooManyPoints",
                   {{OnPixel(50, 50)}, {OnPixel(101, 300), OnPixel(356, 300)}, {OnPixel(900, 900)}},
                   300,
                   "object 2: Range check error: the point count is 300; an object holds at most "
                   "256 points.",
                   // Slots 3 to 256 are empty: points at the world's origin, pixel (1008, 940).
                   {{50, 50}, {101, 300}, {356, 300}, {1008, 940}, {900, 900}}},
        Undrawable{"PointCountWithTheTopBitSet",
                   {{OnPixel(50, 50)}, {OnPixel(400, 400)}},
                   0x80000000u,
                   "object 2: Range check error: the point count is 2147483648; an object holds "
                   "at most 256 points.",
                   {{50, 50}, {400, 400}, {1008, 940}}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MapPictureTest, AnObjectWithoutPointsShowsThePlainMap) {
  picture_.DrawAllPoints(MakeDocument({{At(10, 10)}}), t_);
  DrawObject({});
  EXPECT_TRUE(Marks().empty());
}

TEST_F(MapPictureTest, AnObjectWithOnePointShowsOneCross) {
  DrawObject({At(640, 480)});
  EXPECT_EQ(Marks(), Cross({640, 480}));
  EXPECT_EQ(Marks().size(), 15u);  // the arms share the centre; their end points stay off
}

TEST_F(MapPictureTest, TheDiscMarksPointOneInRedWithABlackRim) {
  picture_.DrawPointDisc(100, 100);
  const PixelMap marks = Marks();
  int black = 0;
  for (const auto& [at, index] : marks) {
    EXPECT_GE(at.first, 96);
    EXPECT_LE(at.first, 103);
    EXPECT_GE(at.second, 96);
    EXPECT_LE(at.second, 103);
    EXPECT_EQ(marks.count({199 - at.first, at.second}), 1u) << "symmetric left to right";
    EXPECT_EQ(marks.count({at.first, 199 - at.second}), 1u) << "symmetric top to bottom";
    black += index == kBlackIndex;
  }
  EXPECT_EQ(marks.size(), 52u);
  EXPECT_EQ(black, 20);
  EXPECT_EQ(Pixel(100, 100), kRedIndex);
  EXPECT_EQ(Pixel(96, 100), kBlackIndex);
  EXPECT_EQ(Pixel(96, 98), kBlackIndex);
  EXPECT_EQ(Pixel(97, 97), kBlackIndex);
  EXPECT_EQ(Pixel(96, 97), test::kPaper);
}

TEST_F(MapPictureTest, ADiscDoesNotRemoveTheObjectsMarks) {
  DrawObject({At(640, 480)});
  picture_.DrawPointDisc(700, 480);
  EXPECT_EQ(Marks().count({636, 476}), 1u);
  EXPECT_EQ(Pixel(700, 480), kRedIndex);
}

using DirectionLineTest = MapPictureTest;

TEST_F(DirectionLineTest, AShortPairIsLengthenedToTwelvePixels) {
  DrawObject({At(500, 600), At(505, 600)});
  for (int x = 500; x < 512; ++x) EXPECT_EQ(Pixel(x, 600), kBlackIndex) << x;
  EXPECT_EQ(Pixel(512, 600), test::kPaper);
  EXPECT_EQ(Pixel(499, 600), kRedIndex) << "the line is drawn over the disc";
  EXPECT_EQ(Pixel(505, 596), test::kPaper) << "point 2 has no cross";
}

TEST_F(DirectionLineTest, ALongPairEndsAtPointTwoWithoutPaintingIt) {
  DrawObject({At(500, 600), At(520, 600)});
  EXPECT_EQ(Pixel(519, 600), kBlackIndex);
  EXPECT_EQ(Pixel(520, 600), test::kPaper);
  EXPECT_EQ(Pixel(520, 596), test::kPaper) << "point 2 has no cross";
}

TEST_F(DirectionLineTest, TheLengthenedLineKeepsItsDirection) {
  DrawObject({At(500, 600), At(503, 604)});  // 5 pixels at 3:4, lengthened to about (7.2, 9.6)
  EXPECT_EQ(Pixel(506, 609), kBlackIndex);
  EXPECT_EQ(Pixel(507, 610), test::kPaper);
  EXPECT_EQ(Pixel(503, 604), kBlackIndex);
  DrawObject({At(500, 600), At(497, 596)});  // and the opposite way
  EXPECT_EQ(Pixel(494, 591), kBlackIndex);
  EXPECT_EQ(Pixel(493, 590), test::kPaper);
}

TEST_F(DirectionLineTest, PointsOnOnePixelGiveALineToTheRight) {
  DrawObject({At(500, 600), At(500, 600)});
  for (int x = 500; x < 512; ++x) EXPECT_EQ(Pixel(x, 600), kBlackIndex) << x;
  EXPECT_EQ(Pixel(512, 600), test::kPaper);
  EXPECT_EQ(Pixel(488, 600), test::kPaper);
}

TEST_F(DirectionLineTest, TheAngleUnitDoesNotChangeTheLine) {
  test::DegreesModeGuard guard;
  SetDegreesMode(false);
  DrawObject({At(500, 600), At(502, 599)});
  const QImage radians = picture_.Image();
  SetDegreesMode(true);
  DrawObject({At(500, 600), At(502, 599)});
  EXPECT_EQ(picture_.Image(), radians);
  // 12 pixels towards (2, -1) end at about (10.7, -5.4), taken to (11, -5).
  EXPECT_EQ(Pixel(510, 595), kBlackIndex);
  EXPECT_EQ(Pixel(511, 595), test::kPaper);
}

TEST_F(MapPictureTest, FurtherPointsGetCrossesButPointTwoDoesNot) {
  DrawObject({At(400, 400), At(440, 400), At(400, 440), At(440, 440)});
  EXPECT_EQ(Pixel(399, 400), kRedIndex);
  EXPECT_EQ(Pixel(400, 400), kBlackIndex) << "the line starts on the disc's centre";
  EXPECT_EQ(Pixel(439, 400), kBlackIndex);
  EXPECT_EQ(Pixel(436, 396), test::kPaper);
  for (QPoint c : {QPoint(400, 440), QPoint(440, 440)}) {
    for (const auto& [at, index] : Cross(c)) EXPECT_EQ(Pixel(at.first, at.second), index);
  }
}

TEST_F(MapPictureTest, TooManyPointsFailAfterTheLastCross) {
  tHeader doc = MakeDocument({{At(400, 400), At(440, 400)}});
  tDesc& object = doc.Object(1);
  for (int k = 3; k <= kMaxPoints; ++k) object.Point(k) = {0, At(k * 4, 700).x, 0, At(0, 700).z};
  object.pointCount = 257;
  EXPECT_THROW(picture_.DrawObjectMarks(object, t_), RangeCheckError);
  EXPECT_EQ(Pixel(399, 400), kRedIndex);
  EXPECT_EQ(Pixel(1024 - 4, 696), kBlackIndex);  // the cross of point 256
}

TEST_F(MapPictureTest, AnObjectsUndrawablePointIsNamedAfterItsOtherMarks) {
  const tHeader doc = MakeDocument({{At(400, 400), {kNan, 0, 0}, At(500, 500), At(600, 600)}});
  try {
    picture_.DrawObjectMarks(doc.Object(1), t_, 7);
    FAIL() << "no range error";
  } catch (const UndrawableCoordinateError& error) {
    EXPECT_STREQ(error.what(), "object 7, point 2: x is nan and cannot be drawn on the map.");
  }
  EXPECT_EQ(Pixel(399, 400), kRedIndex) << "the disc, without a line to nowhere";
  EXPECT_EQ(Pixel(410, 400), test::kPaper);
  EXPECT_EQ(Marks().count({496, 496}), 1u);  // the crosses of points 3 and 4
  EXPECT_EQ(Marks().count({596, 596}), 1u);
}

TEST_F(MapPictureTest, AllPointsReplaceTheObjectsMarks) {
  const tHeader doc = MakeDocument({{At(300, 300), At(320, 300), At(300, 340)}});
  picture_.DrawObjectMarks(doc.Object(1), t_);
  picture_.DrawPointDisc(320, 300);
  picture_.DrawAllPoints(doc, t_);
  EXPECT_EQ(Marks(), Join(Join(Square({300, 300}), Square({320, 300})), Square({300, 340})));
}

TEST_F(MapPictureTest, MarksOfObjectsAtTheEdgeAreClipped) {
  DrawObject({At(2, 1), At(2, 1), At(1279, 0)});
  EXPECT_EQ(Pixel(0, 0), kRedIndex);  // the disc's lower half
  EXPECT_EQ(Pixel(5, 0), kBlackIndex);
  EXPECT_EQ(Pixel(13, 1), kBlackIndex);  // the line to the right
  EXPECT_EQ(Pixel(14, 1), test::kPaper);
  EXPECT_EQ(Pixel(1279, 0), kBlackIndex);  // the cross's lower arms
  EXPECT_EQ(Pixel(1275, 4), kBlackIndex);
}

// Each redraw restores only the pixels of the marks it takes away; the result must still be the
// pristine picture with the new marks alone, and the area reported as changed must hold every
// pixel that changed.
struct RedrawCase {
  const char* name;
  int squaresBefore;  // "Points" with this many points first, then the object's marks
};

class MapPictureRedrawTest : public MapPictureTest,
                             public ::testing::WithParamInterface<RedrawCase> {};

TEST_P(MapPictureRedrawTest, ARedrawEqualsAFreshDrawingAndReportsWhatChanged) {
  std::vector<std::vector<WorldPoint>> objects = {{At(300, 300), At(320, 300), At(300, 340)},
                                                  {At(900, 1200), At(880, 1190), At(860, 1500)}};
  for (int k = 0; k < GetParam().squaresBefore; ++k) {
    if (k % 200 == 0) objects.emplace_back();
    objects.back().push_back(At(20 + (k * 7) % 1240, 20 + k));
  }
  const tHeader doc = MakeDocument(objects);
  picture_.DrawAllPoints(doc, t_);
  picture_.DrawObjectMarks(doc.Object(1), t_);
  picture_.DrawPointDisc(320, 300);
  picture_.TakeChangedArea();
  const QImage before = picture_.Image().copy();
  picture_.DrawObjectMarks(doc.Object(2), t_);
  MapPicture fresh(test::PlainPicture());
  fresh.DrawObjectMarks(doc.Object(2), t_);
  EXPECT_EQ(picture_.Image(), fresh.Image());
  const QRegion changed = picture_.TakeChangedArea();
  for (const auto& [at, index] : Changes(before, picture_.Image())) {
    ASSERT_TRUE(changed.contains(QPoint(at.first, at.second))) << at.first << "," << at.second;
  }
  EXPECT_FALSE(changed.contains(QPoint(600, 700))) << "far from both objects";
  EXPECT_TRUE(picture_.TakeChangedArea().isEmpty()) << "taken once";
}

INSTANTIATE_TEST_SUITE_P(Marks, MapPictureRedrawTest,
                         ::testing::Values(RedrawCase{"few", 3}, RedrawCase{"many", 700}),
                         [](const auto& info) { return std::string(info.param.name); });

// A direction line across the whole picture is too large a box to save the pixels under; it is
// taken away all the same, with a disc and crosses drawn over it.
TEST_F(MapPictureTest, ALineAcrossThePictureIsTakenAwayWithTheMarksOverIt) {
  const tHeader doc = MakeDocument({{At(5, 5), At(1275, 1595), At(640, 800), At(20, 30)},
                                    {At(900, 1200), At(880, 1190), At(860, 1500)}});
  picture_.DrawObjectMarks(doc.Object(1), t_);
  picture_.DrawPointDisc(640, 800);
  picture_.DrawObjectMarks(doc.Object(2), t_);
  MapPicture fresh(test::PlainPicture());
  fresh.DrawObjectMarks(doc.Object(2), t_);
  EXPECT_EQ(picture_.Image(), fresh.Image());
}

TEST_F(MapPictureTest, ShownMarksComeBackAsTheyWere) {
  const tHeader doc = MakeDocument({{At(300, 300), At(320, 300), At(300, 340)}});
  picture_.DrawObjectMarks(doc.Object(1), t_);
  picture_.DrawPointDisc(300, 340);
  const QImage shown = picture_.Image().copy();
  const MarkList marks = picture_.Marks();
  picture_.DrawAllPoints(doc, t_);
  picture_.ShowMarks(marks);
  EXPECT_EQ(picture_.Image(), shown);
}

}  // namespace
}  // namespace qarn
