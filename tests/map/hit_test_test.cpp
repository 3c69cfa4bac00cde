// The point under the pointer, as a pure function of the document, the calibration and the zoom.
#include "map/hit_test.h"

#include <gtest/gtest.h>

#include <limits>

namespace qarn {
namespace {

// Object 1 has points at world (0, 0) and (28.2, 0): map pixels (1008, 940) and (1018, 940).
// Object 2 has one point at the same place as object 1's second; object 3 one that cannot be
// drawn, at the same place as the first.
tHeader Document() {
  tHeader doc;
  tDesc& one = doc.InsertNew(1);
  one.pointCount = 2;
  one.Point(2) = tPoint{0, 28.2f, 0, 0};
  tDesc& two = doc.InsertNew(2);
  two.pointCount = 1;
  two.Point(1) = tPoint{0, 28.2f, 0, 0};
  tDesc& three = doc.InsertNew(3);
  three.pointCount = 1;
  three.Point(1) = tPoint{0, std::numeric_limits<float>::quiet_NaN(), 0, 0};
  return doc;
}

struct HitCase {
  double scale;
  QPoint mapPixelUnderPointer;
  QPoint offsetInView;  // from the view pixel of that map pixel
  std::optional<PointRef> expected;
};

class NearestPointTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(NearestPointTest, FindsTheNearestPointWithinReach) {
  const HitCase& c = GetParam();
  const ViewTransform view(c.scale);
  const QPoint at = view.ViewPixelOf(c.mapPixelUnderPointer) + c.offsetInView;
  EXPECT_EQ(NearestPoint(Document(), MapTransform{}, view, at, 6), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Map, NearestPointTest,
    ::testing::Values(HitCase{1.0, {1008, 940}, {0, 0}, PointRef{1, 1}},
                      HitCase{1.0, {1008, 940}, {0, 6}, PointRef{1, 1}},  // the reach is inclusive
                      HitCase{1.0, {1008, 940}, {5, 4}, std::nullopt},    // 6.4 pixels away
                      HitCase{1.0, {1018, 940}, {0, 0}, PointRef{1, 2}},  // a tie: the lower object
                      HitCase{1.0, {1013, 940}, {0, 0}, PointRef{1, 1}},  // 5 from each: the first
                      HitCase{1.0, {1013, 940}, {1, 0}, PointRef{1, 2}},  // nearer the second
                      HitCase{4.0, {1013, 940}, {0, 0}, std::nullopt},    // 20 view pixels away
                      HitCase{0.25, {1013, 940}, {0, 0}, PointRef{1, 1}},  // 1 view pixel from both
                      HitCase{0.5, {1030, 940}, {0, 0}, PointRef{1, 2}},   // 6 view pixels
                      HitCase{0.5, {1032, 940}, {0, 0}, std::nullopt}));

// Object 1 covers pixels 1008 and 1018 of row 940, object 2 pixel 1018; object 3 cannot be drawn.
TEST(ObjectsInsideTest, ObjectsWithAPointInTheArea) {
  const struct {
    QRect area;
    std::vector<int> inside;
  } cases[] = {{QRect(1000, 930, 30, 20), {1, 2}},
               {QRect(1008, 940, 1, 1), {1}},  // one pixel
               {QRect(1010, 930, 9, 20), {1, 2}},
               {QRect(1010, 930, 8, 20), {}},  // ends before pixel 1018
               {QRect(), {}}};
  for (const auto& c : cases) {
    EXPECT_EQ(ObjectsInside(Document(), MapTransform{}, c.area), c.inside)
        << c.area.x() << "," << c.area.y() << " " << c.area.width() << "x" << c.area.height();
  }
}

TEST(NearestPointTest, AnEmptyDocumentHasNothingToPointAt) {
  EXPECT_EQ(NearestPoint(tHeader{}, MapTransform{}, ViewTransform(1.0), {1008, 940}, 6),
            std::nullopt);
}

}  // namespace
}  // namespace qarn
