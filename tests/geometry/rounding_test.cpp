#include "geometry/rounding.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <limits>

#include "document/errors.h"

namespace qarn {
namespace {

struct RoundCase {
  long double value;
  int32_t rounded;
};

class RoundToIntGives : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToIntGives, NearestWithTiesToEven) {
  EXPECT_EQ(RoundToInt(GetParam().value), GetParam().rounded)
      << static_cast<double>(GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundToIntGives,
    ::testing::Values(RoundCase{0.5L, 0}, RoundCase{1.5L, 2}, RoundCase{2.5L, 2},
                      RoundCase{3.5L, 4}, RoundCase{-0.5L, 0}, RoundCase{-1.5L, -2},
                      RoundCase{-2.5L, -2}, RoundCase{0.49999999999L, 0},
                      RoundCase{0.50000000001L, 1}, RoundCase{359.6L, 360}, RoundCase{233.13L, 233},
                      RoundCase{-7.7L, -8}, RoundCase{2147483647.0L, 2147483647},
                      RoundCase{2147483647.4L, 2147483647},
                      RoundCase{-2147483648.0L, std::numeric_limits<int32_t>::min()},
                      RoundCase{-2147483648.5L, std::numeric_limits<int32_t>::min()}));

class RoundToIntRejects : public ::testing::TestWithParam<long double> {};

TEST_P(RoundToIntRejects, ValuesOutsideTheSigned32BitRange) {
  EXPECT_THROW(RoundToInt(GetParam()), RangeCheckError) << static_cast<double>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Values, RoundToIntRejects,
                         ::testing::Values(2147483647.5L, 2147483648.0L, -2147483648.75L,
                                           -2147483649.0L, 1e30L,
                                           std::numeric_limits<long double>::quiet_NaN(),
                                           std::numeric_limits<long double>::infinity(),
                                           -std::numeric_limits<long double>::infinity()));

TEST(RoundToIntTest, TiesGoToEvenWhateverTheRoundingMode) {
  const int saved = std::fegetround();
  std::fesetround(FE_UPWARD);
  EXPECT_EQ(RoundToInt(2.5L), 2);
  EXPECT_EQ(RoundToInt(-3.2L), -3);
  std::fesetround(FE_DOWNWARD);
  EXPECT_EQ(RoundToInt(1.5L), 2);
  EXPECT_EQ(RoundToInt(2.7L), 3);
  std::fesetround(saved);
}

}  // namespace
}  // namespace qarn
