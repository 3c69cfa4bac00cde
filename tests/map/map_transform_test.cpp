#include "map/map_transform.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>

#include "document/errors.h"

namespace qarn {
namespace {

TEST(MapTransformTest, StartsWithTheCalibratedParameters) {
  const MapTransform t;
  EXPECT_EQ(std::bit_cast<uint32_t>(t.unitsPerPixelX), 0x40347AE1u);
  EXPECT_EQ(std::bit_cast<uint32_t>(t.unitsPerPixelZ), 0x40428F5Cu);
  EXPECT_EQ(t.originColumn, 1008.0f);
  EXPECT_EQ(t.originRow, 940.0f);
}

TEST(MapTransformTest, WorldOriginIsAtTheOriginPixel) {
  const MapTransform t;
  EXPECT_EQ(t.WorldXToMap(0), 1008.0f);
  EXPECT_EQ(t.WorldZToMap(0), 940.0f);
  EXPECT_EQ(t.PixelOf(0, 0), QPoint(1008, 940));
}

TEST(MapTransformTest, OneScaleStepIsOnePixel) {
  const MapTransform t;
  EXPECT_EQ(t.WorldXToMap(2.82f), 1009.0f);
  EXPECT_EQ(t.WorldZToMap(3.04f), 941.0f);
  EXPECT_EQ(t.PixelOf(2.82f, 3.04f), QPoint(1009, 941));
  EXPECT_EQ(t.PixelOf(-2.82f, -3.04f), QPoint(1007, 939));
}

TEST(MapTransformTest, PicksGiveWorldPositions) {
  const MapTransform t;
  EXPECT_EQ(t.MapToWorldX(1008), 0.0f);
  EXPECT_EQ(t.MapToWorldZ(940), 0.0f);
  EXPECT_EQ(std::bit_cast<uint32_t>(t.MapToWorldX(1009)), std::bit_cast<uint32_t>(2.82f));
  EXPECT_EQ(std::bit_cast<uint32_t>(t.MapToWorldZ(941)), std::bit_cast<uint32_t>(3.04f));
  EXPECT_NEAR(t.MapToWorldX(0), -2842.56, 0.01);
  EXPECT_NEAR(t.MapToWorldZ(0), -2857.60, 0.01);
  EXPECT_NEAR(t.MapToWorldX(1279), 764.22, 0.01);
  EXPECT_NEAR(t.MapToWorldZ(1599), 2003.36, 0.01);
}

TEST(MapTransformTest, PicksAndPixelsAgreeAcrossThePicture) {
  const MapTransform t;
  for (int column : {0, 1, 505, 1007, 1279}) {
    EXPECT_EQ(t.PixelOf(t.MapToWorldX(static_cast<float>(column)), 0).x(), column);
  }
  for (int row : {0, 525, 939, 1599}) {
    EXPECT_EQ(t.PixelOf(0, t.MapToWorldZ(static_cast<float>(row))).y(), row);
  }
}

TEST(MapTransformTest, HalfPixelsGoToTheEvenNeighbour) {
  MapTransform t;
  t.originColumn = 1008.5f;
  t.originRow = 941.5f;
  EXPECT_EQ(t.PixelOf(0, 0), QPoint(1008, 942));
  t.originColumn = 1009.5f;
  t.originRow = 940.5f;
  EXPECT_EQ(t.PixelOf(0, 0), QPoint(1010, 940));
}

TEST(MapTransformTest, CalibrationMovesAndScalesThePixels) {
  MapTransform t;
  t.originColumn += 1;
  EXPECT_EQ(t.PixelOf(0, 0), QPoint(1009, 940));
  t.unitsPerPixelX = 2.83f;
  EXPECT_EQ(t.PixelOf(2830, 0).x(), 2009);
}

// A coordinate whose pixel leaves the signed 32-bit range is a range error naming it.
struct UndrawableCoordinate {
  float x, z;
  const char* message;
};

class UndrawableCoordinateTest : public ::testing::TestWithParam<UndrawableCoordinate> {};

TEST_P(UndrawableCoordinateTest, IsARangeErrorNamingTheCoordinate) {
  const MapTransform t;
  try {
    t.PixelOf(GetParam().x, GetParam().z);
    ADD_FAILURE() << "no range error";
  } catch (const RangeCheckError& error) {
    EXPECT_STREQ(error.what(), GetParam().message);
  }
  QPoint pixel;
  EXPECT_FALSE(t.DrawablePixel(GetParam().x, GetParam().z, pixel));
}

INSTANTIATE_TEST_SUITE_P(
    Coordinates, UndrawableCoordinateTest,
    ::testing::Values(
        UndrawableCoordinate{1e10f, 0, "x is 1e+10 and cannot be drawn on the map."},
        UndrawableCoordinate{0, -1e10f, "z is -1e+10 and cannot be drawn on the map."},
        UndrawableCoordinate{std::numeric_limits<float>::quiet_NaN(), 0,
                             "x is nan and cannot be drawn on the map."},
        UndrawableCoordinate{0, std::numeric_limits<float>::infinity(),
                             "z is inf and cannot be drawn on the map."},
        UndrawableCoordinate{3.4e38f, 3.4e38f, "x is 3.4e+38 and cannot be drawn on the map."}));

TEST(MapTransformTest, PixelsUpToTheIntegerLimitAreDrawable) {
  const MapTransform t;
  EXPECT_NO_THROW(t.PixelOf(6e9f, 0));  // about 2.1e9 pixels: still a 32-bit integer
  for (const auto& [x, z] : {std::pair{6e9f, 0.0f}, std::pair{1.0f, 2.0f}}) {
    QPoint pixel;
    ASSERT_TRUE(t.DrawablePixel(x, z, pixel));
    EXPECT_EQ(pixel, t.PixelOf(x, z));
  }
}

}  // namespace
}  // namespace qarn
