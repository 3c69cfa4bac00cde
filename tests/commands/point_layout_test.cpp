#include "commands/point_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "commands/refresh_values.h"
#include "document/errors.h"
#include "test_objects.h"

namespace qarn {
namespace {

using testing_objects::ObjectOnXAxis;
using testing_objects::ObjectWith;
using testing_objects::SameBytes;

void ExpectAt(const tPoint& p, long double x, long double y, long double z) {
  EXPECT_EQ(p.x, static_cast<float>(x));
  EXPECT_EQ(p.y, static_cast<float>(y));
  EXPECT_EQ(p.z, static_cast<float>(z));
}

class LayOutPointsTest : public ::testing::Test {
 protected:
  const Vec3 base_{100, 1, -50};
  const Vec3 pair_{3, 0.5L, 4};
  const Vec3 row_{-8, 2, 6};
};

TEST_F(LayOutPointsTest, LadderPlacesPairsAlongTheRowOffset) {
  tDesc object = ObjectOnXAxis(7);
  LayOutPoints(object, {base_, pair_, row_, 10});
  // {pair multiple, row multiple} of points 2 to 7
  const int shape[6][2] = {{1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}, {0, 3}};
  for (int k = 2; k <= 7; ++k) {
    const auto [d, r] = shape[k - 2];
    SCOPED_TRACE(k);
    ExpectAt(object.Point(k), base_.x + d * pair_.x + r * row_.x,
             base_.y + d * pair_.y + r * row_.y, base_.z + d * pair_.z + r * row_.z);
    EXPECT_EQ(object.Point(k).flags, static_cast<uint32_t>(k));
  }
  ExpectAt(object.Point(1), 0, 0, 0);
  EXPECT_EQ(object.pointCount, 7u);
  EXPECT_EQ(object.Point(8).x, 0.0f);
}

TEST_F(LayOutPointsTest, LadderOfTwoPointsMovesOnlyPointTwo) {
  tDesc object = ObjectWith({{1, 5, 5, 5}, {2, 9, 9, 9}});
  LayOutPoints(object, {base_, pair_, row_, -3});
  ExpectAt(object.Point(1), 5, 5, 5);
  ExpectAt(object.Point(2), 103, 1.5L, -46);
}

TEST_F(LayOutPointsTest, LadderWithoutRowOffsetStacksPairs) {
  tDesc object = ObjectOnXAxis(6);
  LayOutPoints(object, {base_, pair_, {}, 1});
  for (int k = 2; k <= 6; ++k) {
    SCOPED_TRACE(k);
    if (k % 2 == 0) {
      ExpectAt(object.Point(k), 103, 1.5L, -46);
    } else {
      ExpectAt(object.Point(k), 100, 1, -50);
    }
  }
}

TEST_F(LayOutPointsTest, SingleLineStepsByThePairOffset) {
  tDesc object = ObjectOnXAxis(5);
  LayOutPoints(object, {base_, pair_, row_, 0});
  for (int k = 2; k <= 5; ++k) {
    ExpectAt(object.Point(k), 100 + 3 * (k - 1), 1 + 0.5L * (k - 1), -50 + 4 * (k - 1));
  }
}

TEST_F(LayOutPointsTest, SingleLineWithoutPairOffsetPutsAllButPointOneOnTheBase) {
  tDesc object = ObjectOnXAxis(4);
  LayOutPoints(object, {base_, {}, row_, -0.0L});
  ExpectAt(object.Point(1), 0, 0, 0);
  for (int k = 2; k <= 4; ++k) ExpectAt(object.Point(k), 100, 1, -50);
}

TEST_F(LayOutPointsTest, RoundsEachCoordinateOnceWhenStored) {
  // 1 + 2^-24 + 2^-60 lies just above the midpoint between two floats; rounding the offset to a
  // float first would land on the midpoint and round down to 1.
  tDesc object = ObjectOnXAxis(2);
  LayOutPoints(object, {{1, 0, 0}, {std::ldexp(1.0L, -24) + std::ldexp(1.0L, -60), 0, 0}, {}, 0});
  EXPECT_EQ(object.Point(2).x, 1.0f + std::ldexp(1.0f, -23));
}

TEST_F(LayOutPointsTest, ObjectWithoutPointsIsAnOverflow) {
  tDesc object;
  object.Point(2).x = 7;
  const tDesc before = object;
  EXPECT_THROW(LayOutPoints(object, {base_, pair_, row_, 0}), OverflowError);
  EXPECT_TRUE(SameBytes(object, before));
}

TEST_F(LayOutPointsTest, CoordinateBeyondFloatRangeChangesNothing) {
  tDesc object = ObjectOnXAxis(3);
  const tDesc before = object;
  EXPECT_THROW(LayOutPoints(object, {{}, {2e38L, 0, 0}, {}, 0}), OverflowError);
  EXPECT_TRUE(SameBytes(object, before));
}

TEST_F(LayOutPointsTest, PointCountBeyondTheSlotsChangesNothing) {
  tDesc object = ObjectOnXAxis(4);
  object.pointCount = 257;
  const tDesc before = object;
  EXPECT_THROW(LayOutPoints(object, {base_, pair_, row_, 0}), RangeCheckError);
  EXPECT_TRUE(SameBytes(object, before));
}

// {ax, ay, az, step}
class ShiftPointsTest
    : public ::testing::TestWithParam<std::tuple<float, float, float, long double>> {};

TEST_P(ShiftPointsTest, MovesEveryPointByDirectionTimesStep) {
  const auto [ax, ay, az, step] = GetParam();
  tDesc object = ObjectWith({{7, 1, 2, 3}, {8, -4, 0.25f, 16}});
  ShiftPoints(object, ax, ay, az, step);
  ExpectAt(object.Point(1), ax * step + 1, ay * step + 2, az * step + 3);
  ExpectAt(object.Point(2), ax * step - 4, ay * step + 0.25L, az * step + 16);
  EXPECT_EQ(object.Point(1).flags, 7u);
  EXPECT_EQ(object.Point(2).flags, 8u);
  EXPECT_EQ(object.Point(3).x, 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, ShiftPointsTest,
    ::testing::Values(std::tuple{-1.0f, 0.0f, -1.0f, 1.0L}, std::tuple{-1.0f, 0.0f, -1.0f, 0.0L},
                      std::tuple{1.0f, 0.0f, 1.0f, 2.5L}, std::tuple{0.0f, 1.0f, 0.0f, 0.75L},
                      std::tuple{0.0f, -1.0f, 0.0f, 3.0L}, std::tuple{1.0f, 0.0f, -1.0f, -4.0L}));

TEST(ShiftPoints, NorthWestStepOneTakesOneFromXAndZ) {
  tDesc object = ObjectWith({{0, 5, 6, 7}});
  ShiftPoints(object, -1, 0, -1, 1);
  ExpectAt(object.Point(1), 4, 6, 6);
}

TEST(ShiftPoints, ObjectWithoutPointsStaysAsItIs) {
  tDesc object;
  ShiftPoints(object, 1, 1, 1, 5);
  EXPECT_TRUE(SameBytes(object, tDesc{}));
}

// A drag on the map moves by whole map pixels, a different step per axis: the same bytes as the
// shift command moving each axis by its own step.
TEST(ShiftPointsBy, EqualsTheShiftCommandAxisByAxis) {
  const tDesc start = ObjectWith({{7, 1.1f, -0.0f, 3.3f}, {8, -4000.7f, 2, 16.01f}});
  for (const auto& [columns, rows] : {std::pair{20, 0}, std::pair{-13, 41}, std::pair{0, -7}}) {
    tDesc byCommand = start;
    ShiftPoints(byCommand, float(columns), 0, 0, 2.82f);
    ShiftPoints(byCommand, 0, 0, float(rows), 3.04f);
    tDesc byOffset = start;
    ShiftPointsBy(byOffset, {columns * static_cast<long double>(2.82f), 0,
                             rows * static_cast<long double>(3.04f)});
    EXPECT_TRUE(SameBytes(byOffset, byCommand)) << columns << ", " << rows;
  }
}

TEST(ShiftPointsBy, AMoveBeyondTheFloatRangeChangesNothing) {
  tDesc object = ObjectWith({{0, 3e38f, 0, 0}, {0, 1, 1, 1}});
  const tDesc before = object;
  EXPECT_THROW(ShiftPointsBy(object, {1e38L, 0, 0}), OverflowError);
  EXPECT_TRUE(SameBytes(object, before));
}

TEST(ExtendByOnePoint, ContinuesTheLastStepWithTheLastFlags) {
  tDesc object = ObjectWith({{1, 0, 0, 0}, {0x42, 10, 0, 0}});
  ExtendByOnePoint(object);
  ASSERT_EQ(object.pointCount, 3u);
  ExpectAt(object.Point(3), 20, 0, 0);
  EXPECT_EQ(object.Point(3).flags, 0x42u);
}

TEST(ExtendByOnePoint, StepsInAllThreeCoordinates) {
  tDesc object = ObjectWith({{0, 5, 5, 5}, {1, 1, 2, 3}, {2, 2, 4, 1.5f}});
  ExtendByOnePoint(object);
  ExpectAt(object.Point(4), 3, 6, 0);
}

TEST(ExtendByOnePoint, RoundsTheStepToFloatBeforeAddingIt) {
  // The step 2^24 + 0.75 is 2^24 as a float; unrounded, the sum would come to 2^24 + 2.
  tDesc object = ObjectWith({{0, -16777216.0f, 0, 0}, {0, 0.75f, 0, 0}});
  ExtendByOnePoint(object);
  EXPECT_EQ(object.Point(3).x, 16777216.0f);
}

TEST(ExtendByOnePoint, FillsTheLastSlotAndThenStops) {
  tDesc object = ObjectOnXAxis(255);
  ExtendByOnePoint(object);
  ASSERT_EQ(object.pointCount, 256u);
  ExpectAt(object.Point(256), 2550, 0, 0);
  const tDesc full = object;
  EXPECT_THROW(ExtendByOnePoint(object), RangeCheckError);
  EXPECT_TRUE(SameBytes(object, full));
}

TEST(ExtendByOnePoint, NeedsTwoPoints) {
  for (int n : {0, 1}) {
    tDesc object = ObjectOnXAxis(n);
    const tDesc before = object;
    EXPECT_THROW(ExtendByOnePoint(object), OverflowError) << n;
    EXPECT_TRUE(SameBytes(object, before));
  }
}

TEST(ExtendByOnePoint, PairOnAStraightLineKeepsItsSpacing) {
  tDesc object = ObjectOnXAxis(3);
  ExtendByOnePoint(object);
  ExtendByOnePoint(object);
  const RefreshValues shown = ComputeRefreshValues(object);
  const long double rowLength = PolarLengthAndDegrees(shown.row->x, shown.row->z).first;
  LayOutPoints(object, {shown.base, *shown.pair, *shown.row, rowLength});
  for (int k = 1; k <= 5; ++k) ExpectAt(object.Point(k), 10 * (k - 1), 0, 0);
}

TEST(RemoveLastPoint, ShortensToTwoPointsAndNoFurther) {
  tDesc object = ObjectOnXAxis(3);
  EXPECT_TRUE(RemoveLastPoint(object));
  EXPECT_EQ(object.pointCount, 2u);
  EXPECT_TRUE(SameBytes(object, ObjectOnXAxis(2)));
  EXPECT_FALSE(RemoveLastPoint(object));
  EXPECT_TRUE(SameBytes(object, ObjectOnXAxis(2)));
  tDesc empty;
  EXPECT_FALSE(RemoveLastPoint(empty));
}

TEST(SetPointOne, TakesTheFlagsOfThePointInTheCurrentRow) {
  tDesc object = ObjectOnXAxis(3);
  SetPointOne(object, 3, {1.1L, -2, 3e5L});
  EXPECT_EQ(object.Point(1).flags, 3u);
  ExpectAt(object.Point(1), 1.1L, -2, 3e5L);
  ExpectAt(object.Point(3), 20, 0, 0);
  EXPECT_EQ(object.pointCount, 3u);
}

TEST(SetPointOne, WithoutCurrentRowKeepsPointOnesFlags) {
  tDesc object = ObjectOnXAxis(2);
  SetPointOne(object, 0, {4, 5, 6});
  EXPECT_EQ(object.Point(1).flags, 1u);
  ExpectAt(object.Point(1), 4, 5, 6);
}

TEST(SetPointOne, LeavesAnObjectWithoutPointsAsItIs) {
  tDesc object;
  SetPointOne(object, -1, {4, 5, 6});
  EXPECT_TRUE(SameBytes(object, tDesc{}));
  EXPECT_THROW(SetPointOne(object, 1, {4, 5, 1e39L}), OverflowError);
}

TEST(SetPointOne, RefusesRowsAndValuesThatCannotBeStored) {
  tDesc object = ObjectOnXAxis(2);
  const tDesc before = object;
  EXPECT_THROW(SetPointOne(object, 257, {4, 5, 6}), RangeCheckError);
  EXPECT_THROW(SetPointOne(object, 1, {4, 5, 1e39L}), OverflowError);
  EXPECT_TRUE(SameBytes(object, before));
}

}  // namespace
}  // namespace qarn
