#include "commands/type_and_flags.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "document/errors.h"
#include "geometry/hex_text.h"
#include "test_objects.h"

namespace qarn {
namespace {

using testing_objects::ObjectOnXAxis;
using testing_objects::SameBytes;

class SetObjectNameTest : public ::testing::TestWithParam<size_t> {};

TEST_P(SetObjectNameTest, TakesTheFirst32BytesAndZeroesTheRest) {
  const std::string text =
      std::string("giz_bridge01_l_and_a_very_long_type_name").substr(0, GetParam());
  tDesc object;
  object.name.fill('#');  // bytes after an earlier name's end must not survive
  SetObjectName(object, text);
  const size_t kept = std::min<size_t>(text.size(), kNameBytes);
  for (size_t i = 0; i < kNameBytes; ++i) {
    EXPECT_EQ(object.name[i], i < kept ? static_cast<uint8_t>(text[i]) : 0) << i;
  }
  EXPECT_EQ(object.DisplayName(), text.substr(0, kept));
}

INSTANTIATE_TEST_SUITE_P(Lengths, SetObjectNameTest, ::testing::Values(0, 14, 31, 32, 40));

TEST(SetObjectName, KeepsStatePrefixesAsPartOfTheName) {
  tDesc object;
  SetObjectName(object, "open:giz_bridge02_l");
  EXPECT_EQ(object.DisplayName(), "open:giz_bridge02_l");
}

class ApplyFlagsTest : public ::testing::Test {
 protected:
  tDesc object_ = ObjectOnXAxis(3);
};

TEST_F(ApplyFlagsTest, GivesEveryPointTheSameWord) {
  ApplyFlags(object_, "7317");
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(object_.Point(k).flags, 0x7317u);
  EXPECT_EQ(object_.Point(4).flags, 0u);
  EXPECT_EQ(FlagText(object_.Point(1).flags), "00007317");
}

TEST_F(ApplyFlagsTest, AcceptsTheLargestValueInEitherCase) {
  ApplyFlags(object_, "7fffffff");
  EXPECT_EQ(object_.Point(3).flags, 0x7FFFFFFFu);
}

TEST_F(ApplyFlagsTest, OverflowLeavesEveryPointAsItWas) {
  const tDesc before = object_;
  EXPECT_THROW(ApplyFlags(object_, "80000000"), OverflowError);
  EXPECT_TRUE(SameBytes(object_, before));
}

TEST_F(ApplyFlagsTest, ObjectWithoutPointsDoesNotReadTheText) {
  tDesc empty;
  EXPECT_NO_THROW(ApplyFlags(empty, "80000000"));
  EXPECT_TRUE(SameBytes(empty, tDesc{}));
}

TEST_F(ApplyFlagsTest, LowSixteenBitsShowInTheLowerBlockOfBoxes) {
  ApplyFlags(object_, "FFFF");
  const auto boxes = BoxesFromFlags(object_.Point(1).flags);
  for (int n = 1; n <= 32; ++n) EXPECT_EQ(boxes[n - 1], n >= 17) << "c" << n;
}

TEST(FlagBoxes, FirstBoxIsTheTopBitAndLastTheBottomBit) {
  const auto boxes = BoxesFromFlags(0x80000001u);
  for (int n = 1; n <= 32; ++n) EXPECT_EQ(boxes[n - 1], n == 1 || n == 32) << "c" << n;
  std::array<bool, 32> onlyC2{};
  onlyC2[1] = true;
  EXPECT_EQ(FlagsFromBoxes(onlyC2), 0x40000000u);
}

class FlagBoxesRoundTrip : public ::testing::TestWithParam<uint32_t> {};

TEST_P(FlagBoxesRoundTrip, BoxesGiveBackTheWordTheyShow) {
  EXPECT_EQ(FlagsFromBoxes(BoxesFromFlags(GetParam())), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Words, FlagBoxesRoundTrip,
                         ::testing::Values(0u, 1u, 0x7317u, 0x80000001u, 0xA5A5A5A5u, 0x7FFFFFFFu,
                                           0xFFFFFFFFu));

TEST(FlagBoxes, CheckingTheTopBoxEndsInTheOverflowOfTheFlagText) {
  tDesc object = ObjectOnXAxis(2);
  std::array<bool, 32> boxes = BoxesFromFlags(0x7317u);
  boxes[0] = true;
  EXPECT_EQ(FlagText(FlagsFromBoxes(boxes)), "80007317");
  EXPECT_THROW(ApplyFlags(object, FlagText(FlagsFromBoxes(boxes))), OverflowError);
  boxes[0] = false;
  boxes[31] = true;
  ApplyFlags(object, FlagText(FlagsFromBoxes(boxes)));
  EXPECT_EQ(object.Point(2).flags, 0x7317u);
}

TEST(FlagText, EightUpperCaseDigits) {
  EXPECT_EQ(FlagText(0), "00000000");
  EXPECT_EQ(FlagText(0xabcu), "00000ABC");
  EXPECT_EQ(FlagText(0xFFFFFFFFu), "FFFFFFFF");
}

TEST(FlagPresets, FourDigitValuesInRisingOrder) {
  EXPECT_EQ(kFlagPresets.front(), "0000");
  EXPECT_EQ(kFlagPresets.back(), "FFFF");
  int32_t previous = -1;
  for (const std::string_view preset : kFlagPresets) {
    EXPECT_EQ(preset.size(), 4u);
    const int32_t value = HexToInt(preset);
    EXPECT_EQ(FlagText(static_cast<uint32_t>(value)).substr(4), preset);
    EXPECT_GT(value, previous) << preset;
    previous = value;
  }
}

struct PresetCase {
  const char* type;
  long double lenge, rowLength, dy, rowDy;
  int32_t rowTurn;
};

class TypePresetTest : public ::testing::TestWithParam<PresetCase> {};

TEST_P(TypePresetTest, SetsLengthsHeightsAndRowDirection) {
  const PresetCase& c = GetParam();
  const auto preset = FindTypePreset(c.type, 30);
  ASSERT_TRUE(preset.has_value());
  EXPECT_EQ(preset->lenge, c.lenge);
  EXPECT_EQ(preset->rowLength, c.rowLength);
  EXPECT_EQ(preset->dy, c.dy);
  EXPECT_EQ(preset->rowDy, c.rowDy);
  EXPECT_EQ(preset->rowRotation, 30 + c.rowTurn);
}

INSTANTIATE_TEST_SUITE_P(Types, TypePresetTest,
                         ::testing::Values(PresetCase{"sp_jumptrailer_f", 15, 15, 0, 4.5L, 0},
                                           PresetCase{"giz_bridge01_l", 20, 30, 0, 0, 90},
                                           PresetCase{"giz_bridge02_l", 13, 20, 0, 0, 90}));

TEST(TypePreset, OnlyExactNamesHaveOne) {
  for (const char* text :
       {"open:giz_bridge02_l", "Giz_bridge02_l", "giz_bridge02_l ", "giz_bridge", "", "Select?"}) {
    EXPECT_FALSE(FindTypePreset(text, 0).has_value()) << '"' << text << '"';
  }
}

TEST(TypePreset, RowTurnIsChecked32BitArithmetic) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  EXPECT_THROW(FindTypePreset("giz_bridge01_l", kMax - 89), OverflowError);
  EXPECT_EQ(FindTypePreset("giz_bridge01_l", -90)->rowRotation, 0);
  EXPECT_EQ(FindTypePreset("sp_jumptrailer_f", kMax)->rowRotation, kMax);
  EXPECT_FALSE(FindTypePreset("unknown", kMax).has_value());
}

}  // namespace
}  // namespace qarn
