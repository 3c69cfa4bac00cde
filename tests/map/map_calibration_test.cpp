#include "map/map_calibration.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "document/errors.h"
#include "map/map_transform.h"

namespace qarn {
namespace {

constexpr const char* kBuiltIn = "2.82\n0\n0\n3.04\n-2842.56\n-2857.6\n";

TEST(WorldFileTest, TheBuiltInMapsWorldFileGivesItsExactCalibration) {
  const MapCalibration c = CalibrationOf(ParseWorldFile(kBuiltIn));
  EXPECT_EQ(std::bit_cast<uint32_t>(c.unitsPerPixelX), 0x40347AE1u);
  EXPECT_EQ(std::bit_cast<uint32_t>(c.unitsPerPixelZ), 0x40428F5Cu);
  EXPECT_EQ(c.originColumn, 1008.0f);
  EXPECT_EQ(c.originRow, 940.0f);
  EXPECT_EQ(WorldFileText(MapCalibration()), kBuiltIn);
}

TEST(WorldFileTest, EachFieldLandsInItsPlace) {
  const WorldFile f = ParseWorldFile("0.5\n0\n0\n-0.25\n100\n200\n");
  EXPECT_EQ(f.unitsPerColumn, 0.5);
  EXPECT_EQ(f.unitsPerRow, -0.25);
  EXPECT_EQ(f.topLeftX, 100);
  EXPECT_EQ(f.topLeftZ, 200);
  const MapTransform t(CalibrationOf(f));
  EXPECT_EQ(t.MapToWorldX(0), 100.0f);  // the centre of the top-left pixel
  EXPECT_EQ(t.MapToWorldZ(0), 200.0f);
  EXPECT_EQ(t.MapToWorldX(4), 102.0f);
  EXPECT_EQ(t.MapToWorldZ(4), 199.0f);  // a negative scale: z grows upwards on the picture
}

struct BadWorldFile {
  const char* label;
  const char* text;
  const char* message;
};

class BadWorldFileTest : public ::testing::TestWithParam<BadWorldFile> {};

TEST_P(BadWorldFileTest, IsRefusedSayingWhere) {
  try {
    CalibrationOf(ParseWorldFile(GetParam().text));
    FAIL() << "accepted";
  } catch (const QarnError& error) {
    EXPECT_STREQ(error.what(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BadWorldFileTest,
    ::testing::Values(
        BadWorldFile{"Empty", "",
                     "a world file holds six numbers, one a line; this one has 0 lines."},
        BadWorldFile{"FiveLines", "2.82\n0\n0\n3.04\n-2842.56\n",
                     "a world file holds six numbers, one a line; this one has 5 lines."},
        BadWorldFile{"SevenLines", "1\n0\n0\n1\n0\n0\n7\n",
                     "a world file holds six numbers, one a line; this one has 7 lines."},
        BadWorldFile{"NotANumber", "1\n0\n0\nabc\n0\n0\n", "line 4: 'abc' is not a number."},
        BadWorldFile{"TrailingText", "1\n0\n0\n1\n5 m\n0\n", "line 5: '5 m' is not a number."},
        BadWorldFile{"DecimalComma", "2,82\n0\n0\n3,04\n0\n0\n",
                     "line 1: '2,82' has a decimal comma; a world file writes numbers with a "
                     "decimal point."},
        BadWorldFile{"Infinite", "1\n0\n0\n1\ninf\n0\n", "line 5: 'inf' is not a finite number."},
        BadWorldFile{"Rotated", "1\n0.1\n0\n1\n0\n0\n",
                     "the picture is rotated (lines 2 and 3 are not 0); only pictures whose "
                     "columns and rows run along the world's x and z can be used."},
        BadWorldFile{"ZeroScale", "0\n0\n0\n1\n0\n0\n",
                     "the world units per column (line 1) and per row (line 4) must not be 0."},
        BadWorldFile{"OutOfFloats", "1e300\n0\n0\n1\n0\n0\n",
                     "The calibration's units per column is out of range."}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(WorldFileTest, SpacesWindowsLineEndsAndBlankLinesAfterAreRead) {
  const MapCalibration c =
      CalibrationOf(ParseWorldFile("  2.82 \r\n0\r\n\t0\r\n3.04\r\n-2842.56\r\n-2857.6\r\n\r\n\n"));
  EXPECT_EQ(c, MapCalibration());
}

TEST(WorldFileTest, AnyCalibrationReadsBackTheSame) {
  const MapCalibration odd{0.7312f, -1.9f, 5123.25f, -17.375f};
  EXPECT_EQ(CalibrationOf(ParseWorldFile(WorldFileText(odd))), odd);
  const MapCalibration tiny{1e-3f, 3e-3f, 1.0f / 3, 2.0f / 7};
  EXPECT_EQ(CalibrationOf(ParseWorldFile(WorldFileText(tiny))), tiny);
  EXPECT_EQ(WorldFileText({1, 1, 2000, 1500}), "1\n0\n0\n1\n-2000\n-1500\n");
}

struct TwoPoints {
  const char* label;
  KnownPoint first, second;
  const char* refusal;  // nullptr: calibrates
};

class TwoPointTest : public ::testing::TestWithParam<TwoPoints> {};

TEST_P(TwoPointTest, CalibratesOrRefuses) {
  const TwoPoints& c = GetParam();
  if (c.refusal) {
    try {
      CalibrationFromTwoPoints(c.first, c.second);
      FAIL() << "accepted";
    } catch (const QarnError& error) {
      EXPECT_STREQ(error.what(), c.refusal);
    }
    return;
  }
  const MapTransform t(CalibrationFromTwoPoints(c.first, c.second));
  for (const KnownPoint& p : {c.first, c.second}) {
    EXPECT_NEAR(t.MapToWorldX(float(p.column)), p.x, 1e-3 * std::abs(p.x) + 1e-3);
    EXPECT_NEAR(t.MapToWorldZ(float(p.row)), p.z, 1e-3 * std::abs(p.z) + 1e-3);
    EXPECT_EQ(t.PixelOf(float(p.x), float(p.z)), QPoint(int(p.column), int(p.row)));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, TwoPointTest,
    ::testing::Values(
        TwoPoints{"BuiltIn", {0, 0, -2842.56, -2857.6}, {1008, 940, 0, 0}, nullptr},
        TwoPoints{"Flipped", {100, 50, 10, 900}, {1900, 1450, 4510, -500}, nullptr},
        TwoPoints{"SecondFirst", {4000, 3000, 812.5, 77}, {10, 20, -2000, -4000}, nullptr},
        TwoPoints{"SameColumn",
                  {10, 20, 0, 0},
                  {10, 90, 5, 5},
                  "the two points share a map column; pick two points apart in both "
                  "directions."},
        TwoPoints{"SameRow",
                  {10, 20, 0, 0},
                  {80, 20, 5, 5},
                  "the two points share a map row; pick two points apart in both directions."},
        TwoPoints{"SameX",
                  {10, 20, 3, 0},
                  {80, 90, 3, 5},
                  "the two points have the same world x; give two points apart in both x and "
                  "z."},
        TwoPoints{"SameZ",
                  {10, 20, 0, 7},
                  {80, 90, 5, 7},
                  "the two points have the same world z; give two points apart in both x and "
                  "z."}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(TwoPointTest, TheBuiltInPointsGiveTheBuiltInCalibrationBitForBit) {
  EXPECT_EQ(CalibrationFromTwoPoints({0, 0, -2842.56, -2857.6}, {1008, 940, 0, 0}),
            MapCalibration());
}

}  // namespace
}  // namespace qarn
