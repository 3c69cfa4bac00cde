#include "geometry/polar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace qarn {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kTwoTo63 = 9223372036854775808.0L;

// The switch is process-wide: every test states the unit it needs and leaves the switch as found.
class PolarTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = DegreesMode(); }
  void TearDown() override { SetDegreesMode(saved_); }

 private:
  bool saved_ = false;
};

struct PolarCase {
  long double x, y, r, degrees;
};

class RectToPolarInDegrees : public PolarTest, public ::testing::WithParamInterface<PolarCase> {};

TEST_P(RectToPolarInDegrees, GivesRadiusAndAngleFromPlusXTowardsPlusY) {
  SetDegreesMode(true);
  const PolarCase& c = GetParam();
  long double r = -1, a = -1;
  RectToPolar(c.x, c.y, r, a);
  EXPECT_NEAR(static_cast<double>(r), static_cast<double>(c.r), 1e-15);
  EXPECT_NEAR(static_cast<double>(a), static_cast<double>(c.degrees), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, RectToPolarInDegrees,
    ::testing::Values(PolarCase{1, 0, 1, 0}, PolarCase{0, 1, 1, 90}, PolarCase{-1, 0, 1, 180},
                      PolarCase{0, -1, 1, 270}, PolarCase{1, -1, std::sqrt(2.0L), 315},
                      PolarCase{-1, 1, std::sqrt(2.0L), 135}, PolarCase{0, 0, 0, 0},
                      PolarCase{-3, -4, 5, 233.13010235415597870L},
                      PolarCase{3, 4, 5, 53.130102354155978703L}, PolarCase{0, -7, 7, 270}));

TEST_F(PolarTest, MinusXAxisIsExactlyHalfCircleWhateverTheSignOfZero) {
  SetDegreesMode(true);
  long double r = 0, a = 0;
  RectToPolar(-1, 0.0L, r, a);
  EXPECT_EQ(a, 180.0L);
  RectToPolar(-1, -0.0L, r, a);
  EXPECT_EQ(a, 180.0L);
}

TEST_F(PolarTest, OriginGivesZeroRadiusAndZeroAngle) {
  SetDegreesMode(true);
  long double r = 9, a = 9;
  RectToPolar(0, 0, r, a);
  EXPECT_EQ(r, 0.0L);
  EXPECT_EQ(a, 0.0L);
}

TEST_F(PolarTest, SwitchOffWorksInRadians) {
  SetDegreesMode(false);
  long double r = 0, a = 0;
  RectToPolar(0, 1, r, a);
  EXPECT_EQ(a, kPi / 2);
  RectToPolar(-1, 0, r, a);
  EXPECT_EQ(a, kPi);
  long double x = 0, y = 0;
  PolarToRect(2, kPi, x, y);
  EXPECT_NEAR(static_cast<double>(x), -2.0, 1e-18);
  EXPECT_NEAR(static_cast<double>(y), 0.0, 1e-18);
}

TEST_F(PolarTest, QuarterTurnInDegreesLeavesATinyNonZeroCosine) {
  SetDegreesMode(true);
  long double x = 0, y = 0;
  PolarToRect(10, 90, x, y);
  EXPECT_EQ(y, 10.0L);
  EXPECT_NE(x, 0.0L);
  EXPECT_LT(std::fabs(x), 1e-17L);
}

TEST_F(PolarTest, AnglesBeyondTwoTo63GiveTheOrigin) {
  SetDegreesMode(false);
  for (const long double a : {kTwoTo63, -kTwoTo63, 4 * kTwoTo63}) {
    long double x = 1, y = 1;
    PolarToRect(5, a, x, y);
    EXPECT_EQ(x, 0.0L) << static_cast<double>(a);
    EXPECT_EQ(y, 0.0L) << static_cast<double>(a);
  }
  long double x = 0, y = 0;
  PolarToRect(5, kTwoTo63 / 2, x, y);
  EXPECT_NEAR(static_cast<double>(x * x + y * y), 25.0, 1e-9);
}

TEST_F(PolarTest, LimitAppliesAfterTheDegreeConversion) {
  SetDegreesMode(true);
  long double x = 0, y = 0;
  PolarToRect(5, kTwoTo63, x, y);  // 2^63 degrees is far below 2^63 radians
  EXPECT_NEAR(static_cast<double>(x * x + y * y), 25.0, 1e-9);
  PolarToRect(5, kTwoTo63 * 60, x, y);
  EXPECT_EQ(x, 0.0L);
  EXPECT_EQ(y, 0.0L);
}

class PolarRoundTrip : public PolarTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PolarRoundTrip, PolarToRectUndoesRectToPolar) {
  SetDegreesMode(GetParam());
  for (const auto& [x, y] : {std::pair{3.0L, 4.0L},
                             {-2.5L, 7.0L},
                             {-1.0L, -1e-3L},
                             {0.0L, -6.0L},
                             {12345.678L, -0.5L}}) {
    long double r = 0, a = 0, backX = 0, backY = 0;
    RectToPolar(x, y, r, a);
    PolarToRect(r, a, backX, backY);
    EXPECT_NEAR(static_cast<double>(backX), static_cast<double>(x), 1e-12);
    EXPECT_NEAR(static_cast<double>(backY), static_cast<double>(y), 1e-12);
  }
}

INSTANTIATE_TEST_SUITE_P(BothUnits, PolarRoundTrip, ::testing::Bool());

}  // namespace
}  // namespace qarn
