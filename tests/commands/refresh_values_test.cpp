#include "commands/refresh_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "document/errors.h"
#include "geometry/polar.h"
#include "test_objects.h"

namespace qarn {
namespace {

using testing_objects::DegreesSwitchGuard;
using testing_objects::ObjectOnXAxis;
using testing_objects::ObjectWith;

class RefreshValuesTest : public ::testing::Test {
 protected:
  DegreesSwitchGuard unitGuard_{false};
};

TEST_F(RefreshValuesTest, ObjectWithoutPointsShowsSlotOneOnly) {
  tDesc object;
  object.Point(1) = {9, 1, 2, 3};
  const RefreshValues shown = ComputeRefreshValues(object);
  EXPECT_EQ(shown.pointCount, 0);
  EXPECT_EQ(shown.base.x, 1.0L);
  EXPECT_EQ(shown.base.z, 3.0L);
  EXPECT_FALSE(shown.flags || shown.pair || shown.rotation || shown.length || shown.row);
  EXPECT_FALSE(DegreesMode());
}

TEST_F(RefreshValuesTest, OnePointShowsItsFlags) {
  const RefreshValues shown = ComputeRefreshValues(ObjectWith({{0x80000001u, 4, 5, 6}}));
  EXPECT_EQ(shown.flags, 0x80000001u);
  EXPECT_FALSE(shown.pair || shown.rotation || shown.length || shown.row);
  EXPECT_FALSE(DegreesMode());
}

TEST_F(RefreshValuesTest, ThreePointsShowThePairButNoRow) {
  const RefreshValues shown = ComputeRefreshValues(ObjectOnXAxis(3));
  ASSERT_TRUE(shown.pair);
  EXPECT_EQ(shown.pair->x, 10.0L);
  EXPECT_EQ(shown.length, 10.0L);
  EXPECT_EQ(shown.rotation, 0);
  EXPECT_FALSE(shown.row);
  EXPECT_TRUE(DegreesMode());
}

// A file may hold NaN: the offsets show it, but no whole number of degrees can, so the direction
// and length are left out rather than failing the refresh.
TEST_F(RefreshValuesTest, APairWithoutADirectionShowsNoRotation) {
  tDesc object = ObjectOnXAxis(4);
  object.Point(2).z = std::nanf("");
  const RefreshValues shown = ComputeRefreshValues(object);
  ASSERT_TRUE(shown.pair);
  EXPECT_TRUE(std::isnan(shown.pair->z));
  EXPECT_FALSE(shown.rotation || shown.length);
  EXPECT_TRUE(shown.row);
  EXPECT_FALSE(HasDirection(shown.pair->x, shown.pair->z));
  EXPECT_TRUE(HasDirection(0, 0));
}

TEST_F(RefreshValuesTest, FourPointsShowTheRowFromPointThree) {
  tDesc object = ObjectOnXAxis(4);
  object.Point(3) = {0, 3, 7, -4};
  const RefreshValues shown = ComputeRefreshValues(object);
  ASSERT_TRUE(shown.row);
  EXPECT_EQ(shown.row->x, 3.0L);
  EXPECT_EQ(shown.row->y, 7.0L);
  EXPECT_EQ(shown.row->z, -4.0L);
  EXPECT_EQ(shown.flags, 1u);
}

TEST_F(RefreshValuesTest, DifferencesAreNotRoundedToFloat) {
  const RefreshValues shown = ComputeRefreshValues(ObjectWith({{0, 1e8f, 0, 0}, {0, 0.1f, 0, 0}}));
  EXPECT_EQ(shown.pair->x, static_cast<long double>(0.1f) - 1e8L);
  EXPECT_NE(shown.pair->x, static_cast<long double>(0.1f - 1e8f));
}

TEST_F(RefreshValuesTest, TooManyDeclaredPointsIsARangeError) {
  tDesc object = ObjectOnXAxis(2);
  object.pointCount = 257;
  EXPECT_THROW(ComputeRefreshValues(object), RangeCheckError);
}

struct DirectionCase {
  float dx, dy, dz;
  int32_t rotation;
  long double length;
};

class RefreshDirectionTest : public RefreshValuesTest,
                             public ::testing::WithParamInterface<DirectionCase> {};

TEST_P(RefreshDirectionTest, ShowsThePairDirectionInWholeDegrees) {
  const DirectionCase& c = GetParam();
  const RefreshValues shown =
      ComputeRefreshValues(ObjectWith({{0, 100, 7, -20}, {0, 100 + c.dx, 7 + c.dy, -20 + c.dz}}));
  EXPECT_EQ(shown.rotation, c.rotation);
  EXPECT_NEAR(static_cast<double>(*shown.length), static_cast<double>(c.length), 1e-5);
  EXPECT_EQ(shown.pair->y, static_cast<long double>(c.dy));
}

INSTANTIATE_TEST_SUITE_P(
    Directions, RefreshDirectionTest,
    ::testing::Values(DirectionCase{1, 0, 0, 0, 1}, DirectionCase{0, 0, 1, 90, 1},
                      DirectionCase{-1, 0, 0, 180, 1}, DirectionCase{0, 0, -1, 270, 1},
                      DirectionCase{0, 5, 0, 0, 0}, DirectionCase{-3, 0, -4, 233, 5},
                      // 359.6 degrees shows as 360
                      DirectionCase{9.99975633f, 0, -0.0698126f, 360, 10}));

TEST(PolarLengthAndDegrees, RoundsTheDirectionToTheNearestWholeNumber) {
  DegreesSwitchGuard degrees(true);
  EXPECT_EQ(PolarLengthAndDegrees(3, 4), (std::pair<long double, int32_t>{5, 53}));
  EXPECT_EQ(PolarLengthAndDegrees(-3, -4).second, 233);
  const long double degree = std::numbers::pi_v<long double> / 180;
  EXPECT_EQ(PolarLengthAndDegrees(std::cos(0.49L * degree), std::sin(0.49L * degree)).second, 0);
  EXPECT_EQ(PolarLengthAndDegrees(std::cos(0.51L * degree), std::sin(0.51L * degree)).second, 1);
  EXPECT_EQ(PolarLengthAndDegrees(std::cos(-0.4L * degree), std::sin(-0.4L * degree)).second, 360);
}

TEST(PolarLengthAndDegrees, FollowsTheSwitchedUnit) {
  DegreesSwitchGuard radians(false);
  EXPECT_EQ(PolarLengthAndDegrees(0, 1).second, 2);  // pi/2 radians
  EXPECT_EQ(PolarLengthAndDegrees(-1, 0).second, 3);
}

}  // namespace
}  // namespace qarn
