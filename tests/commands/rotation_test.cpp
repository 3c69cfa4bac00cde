#include "commands/rotation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "commands/point_layout.h"
#include "commands/refresh_values.h"
#include "document/errors.h"
#include "test_objects.h"

namespace qarn {
namespace {

using testing_objects::DegreesSwitchGuard;
using testing_objects::ObjectWith;

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct StepCase {
  int32_t angle, step, sum;
};

class StepAngleAdds : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepAngleAdds, WithinThe32BitRange) {
  EXPECT_EQ(StepAngle(GetParam().angle, GetParam().step), GetParam().sum);
}

INSTANTIATE_TEST_SUITE_P(Steps, StepAngleAdds,
                         ::testing::Values(StepCase{0, 15, 15}, StepCase{0, -15, -15},
                                           StepCase{345, 15, 360}, StepCase{kMax - 1, 1, kMax},
                                           StepCase{kMin + 15, -15, kMin}));

TEST(StepAngle, BeyondThe32BitRangeIsAnOverflow) {
  EXPECT_THROW(StepAngle(kMax, 1), OverflowError);
  EXPECT_THROW(StepAngle(kMax - 14, 15), OverflowError);
  EXPECT_THROW(StepAngle(kMin, -1), OverflowError);
}

TEST(OffsetFromPolar, ReadsTheAngleInTheSwitchedUnit) {
  {
    DegreesSwitchGuard degrees(true);
    const HorizontalOffset offset = OffsetFromPolar(10, 15);
    EXPECT_NEAR(static_cast<double>(offset.dx), 9.6592582628906829, 1e-14);
    EXPECT_NEAR(static_cast<double>(offset.dz), 2.5881904510252076, 1e-14);
    const HorizontalOffset down = OffsetFromPolar(10, 90);
    EXPECT_NE(down.dx, 0.0L);
    EXPECT_LT(std::fabs(down.dx), 1e-17L);
    EXPECT_EQ(down.dz, 10.0L);
  }
  DegreesSwitchGuard radians(false);
  const HorizontalOffset offset = OffsetFromPolar(10, 15);
  EXPECT_NEAR(static_cast<double>(offset.dx), 10 * std::cos(15.0), 1e-14);
  EXPECT_NEAR(static_cast<double>(offset.dz), 10 * std::sin(15.0), 1e-14);
}

// The rotation buttons as the window runs them: the refresh fills the fields, the step changes
// the angles, the offsets come from the lengths and angles, and the points are laid out again.
class RotationCycleTest : public ::testing::Test {
 protected:
  void Turn(tDesc& object, int32_t pairStep, int32_t rowStep) {
    const RefreshValues shown = ComputeRefreshValues(object);
    long double rowLength = 0;
    if (shown.row)
      std::tie(rowLength, rowRotation_) = PolarLengthAndDegrees(shown.row->x, shown.row->z);
    const int32_t rotation = StepAngle(*shown.rotation, pairStep);
    rowRotation_ = StepAngle(rowRotation_, rowStep);
    const HorizontalOffset pair = OffsetFromPolar(*shown.length, rotation);
    const HorizontalOffset row = OffsetFromPolar(rowLength, rowRotation_);
    const long double rowDy = shown.row ? shown.row->y : 0;
    LayOutPoints(
        object,
        {shown.base, {pair.dx, shown.pair->y, pair.dz}, {row.dx, rowDy, row.dz}, rowLength});
  }

  static long double Distance(const tPoint& a, const tPoint& b) {
    return std::hypot(static_cast<long double>(a.x) - b.x, static_cast<long double>(a.y) - b.y,
                      static_cast<long double>(a.z) - b.z);
  }

  int32_t rowRotation_ = 0;  // the row angle field keeps its value while no row is shown
  DegreesSwitchGuard unitGuard_{false};  // the refresh turns degrees on; restored afterwards
};

TEST_F(RotationCycleTest, FifteenDegreesEachWayAboutPointOne) {
  const tDesc start = ObjectWith({{0, 0, 0, 0}, {0, 10, 0, 0}});
  tDesc right = start;
  Turn(right, 15, 15);
  EXPECT_NEAR(right.Point(2).x, 9.659f, 1e-3f);
  EXPECT_NEAR(right.Point(2).z, 2.588f, 1e-3f);
  EXPECT_EQ(*ComputeRefreshValues(right).rotation, 15);
  tDesc left = start;
  Turn(left, -15, -15);
  EXPECT_NEAR(left.Point(2).x, 9.659f, 1e-3f);
  EXPECT_NEAR(left.Point(2).z, -2.588f, 1e-3f);
  EXPECT_EQ(*ComputeRefreshValues(left).rotation, 345);
  EXPECT_EQ(left.Point(1).x, 0.0f);
}

TEST_F(RotationCycleTest, FifteenSingleDegreesMatchOneFifteenDegreeStep) {
  tDesc once = ObjectWith({{0, 0, 0, 0}, {0, 10, 0, 0}});
  tDesc stepwise = once;
  Turn(once, 15, 15);
  for (int i = 0; i < 15; ++i) Turn(stepwise, 1, 1);
  EXPECT_NEAR(stepwise.Point(2).x, once.Point(2).x, 1e-5f);
  EXPECT_NEAR(stepwise.Point(2).z, once.Point(2).z, 1e-5f);
  EXPECT_EQ(*ComputeRefreshValues(stepwise).rotation, 15);
}

TEST_F(RotationCycleTest, LadderTurnsRigidly) {
  tDesc ladder = ObjectWith({{0, 5, 2, 5}, {}, {}, {}, {}, {}});
  LayOutPoints(ladder, {{5, 2, 5}, {10, 0, 0}, {0, 3, 4}, 4});
  const tDesc before = ladder;
  Turn(ladder, 15, 15);
  for (int a = 0; a < 6; ++a) {
    for (int b = a + 1; b < 6; ++b) {
      EXPECT_NEAR(static_cast<double>(Distance(ladder.Point(a + 1), ladder.Point(b + 1))),
                  static_cast<double>(Distance(before.Point(a + 1), before.Point(b + 1))), 1e-4)
          << a + 1 << "-" << b + 1;
    }
  }
  EXPECT_EQ(*ComputeRefreshValues(ladder).rotation, 15);
}

TEST_F(RotationCycleTest, RowTurnLeavesThePairsDirection) {
  tDesc ladder = ObjectWith({{}, {}, {}, {}, {}, {}});
  LayOutPoints(ladder, {{0, 0, 0}, {10, 0, 0}, {0, 0, 4}, 4});
  Turn(ladder, 0, 15);
  const RefreshValues shown = ComputeRefreshValues(ladder);
  EXPECT_EQ(*shown.rotation, 0);
  EXPECT_EQ(PolarLengthAndDegrees(shown.row->x, shown.row->z).second, 105);
  EXPECT_NEAR(ladder.Point(4).x - ladder.Point(3).x, 10.0f, 1e-5f);
  EXPECT_NEAR(ladder.Point(4).z - ladder.Point(3).z, 0.0f, 1e-5f);
}

}  // namespace
}  // namespace qarn
