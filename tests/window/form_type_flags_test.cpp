// Naming the selected object after its type, the layout presets of three types, and the flag word
// of its points from presets, typed hexadecimal text and the 32 check boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "document/path_set_layout.h"
#include "form_driver.h"

namespace qarn::testing {
namespace {

using Position = std::array<float, 3>;

class TypeFlagsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.Load(
        ui.WriteFile("types.pathset",
                     MakeDocument({MakeLine("str_bench_s", 6, P(0, 0, 0), P(10, 0, 0)),
                                   MakeObject("flagged", {P(1, 1, 1, 0x8001), P(2, 2, 2, 0x8001)}),
                                   MakeObject("empty", {})})));
    ASSERT_TRUE(ui.dialogs().errors.isEmpty());
  }
  const tDesc& Object(int k) { return ui.doc().Object(k); }
  void Select(int row) { ui.ClickRow("Names", row); }
  void ExpectNoErrors() {
    EXPECT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  }
  void ExpectFlagsEverywhere(int object, uint32_t flags) {
    for (uint32_t k = 1; k <= Object(object).pointCount; ++k) {
      EXPECT_EQ(Object(object).Point(static_cast<int>(k)).flags, flags) << "point " << k;
    }
    const QString text = QStringLiteral("%1").arg(flags, 8, 16, QLatin1Char('0')).toUpper();
    EXPECT_EQ(ui.FieldText("HexEdit"), text);
    for (const QString& cell : ui.Column("Ents", 4)) EXPECT_EQ(cell, text);
    for (int n = 1; n <= 32; ++n) {
      EXPECT_EQ(ui.Box(n)->isChecked(), ((flags >> (32 - n)) & 1u) != 0) << "c" << n;
    }
  }
  FormDriver ui;
};

// --- names

std::array<uint8_t, 32> NameBytes(const std::string& text) {
  std::array<uint8_t, 32> bytes{};
  std::copy_n(text.begin(), std::min<size_t>(text.size(), 32), bytes.begin());
  return bytes;
}

struct NameCase {
  const char* text;
  bool fromList;  // chosen from the list, else pasted into the field
};

void PrintTo(const NameCase& c, std::ostream* out) {
  *out << std::strlen(c.text) << " characters";
}

class NameTest : public TypeFlagsTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(NameTest, NameIsCutOrPaddedToThirtyTwoBytesAndSurvivesSaveAndReload) {
  const NameCase c = GetParam();
  const std::string text = c.text;
  Select(2);
  if (c.fromList) {
    ui.ChooseType(QString::fromStdString(text));
  } else {
    ui.PasteType(QString::fromStdString(text));
  }
  ExpectNoErrors();
  EXPECT_EQ(Object(2).name, NameBytes(text));
  const QString shown = QString::fromStdString(text.substr(0, 32));
  EXPECT_EQ(ui.Grid("Names")->GetCellDrawText(1, 2), shown);
  EXPECT_EQ(ui.UndoSteps(), 1);

  const QString path = ui.TempPath("named.pathset");
  ui.Save(path);
  const std::vector<uint8_t> file = ui.ReadBytes(path);
  const size_t offset = layout::kHeaderBytes + layout::BlockBytes(6);  // after object 1
  ASSERT_GE(file.size(), offset + 32);
  EXPECT_TRUE(
      std::equal(file.begin() + offset, file.begin() + offset + 32, NameBytes(text).begin()));
  ui.Load(path);
  ExpectNoErrors();
  EXPECT_EQ(Object(2).name, NameBytes(text));
  EXPECT_EQ(ui.Grid("Names")->GetCellDrawText(1, 2), shown);
}

INSTANTIATE_TEST_SUITE_P(FourteenThirtyTwoForty, NameTest,
                         ::testing::Values(NameCase{"giz_bridge01_l", true},
                                           NameCase{"abcdefghijklmnopqrstuvwxyz_01234", false},
                                           NameCase{"abcdefghijklmnopqrstuvwxyz_0123456789ABC",
                                                    false}));

TEST_F(TypeFlagsTest, TheEmptyEntryClearsTheName) {
  Select(1);
  ui.ChooseType(QString());
  ExpectNoErrors();
  EXPECT_EQ(Object(1).name, NameBytes(""));
  EXPECT_EQ(ui.Grid("Names")->GetCellDrawText(1, 1), QString());
}

TEST_F(TypeFlagsTest, TheStatePrefixBecomesPartOfTheName) {
  Select(1);
  ui.ChooseType(QStringLiteral("open:giz_drawbridge_l"));
  EXPECT_EQ(Object(1).DisplayName(), "open:giz_drawbridge_l");
}

TEST_F(TypeFlagsTest, ChoosingTheSameTypeAgainNamesTheNextObjectToo) {
  Select(1);
  ui.ChooseType(QStringLiteral("giz_bridge02_l"));
  Select(2);
  ui.ChooseType(QStringLiteral("giz_bridge02_l"));
  ExpectNoErrors();
  EXPECT_EQ(ui.Column("Names", 1), QStringList({"giz_bridge02_l", "giz_bridge02_l", "empty"}));
  EXPECT_EQ(ui.UndoSteps(), 2);
}

TEST_F(TypeFlagsTest, PickingTheEntryThatWasTypedNamesTheNextObject) {
  Select(1);
  ui.PasteType(QStringLiteral("giz_bridge01_l"));
  Select(2);
  ui.ChooseType(QStringLiteral("giz_bridge01_l"));
  EXPECT_EQ(Object(2).DisplayName(), "giz_bridge01_l");
}

// --- layout presets

struct Preset {
  const char* type;
  long double length, rowLength, rowDy;
  int rowTurn;
};

void PrintTo(const Preset& p, std::ostream* out) {
  *out << p.type;
}

class PresetTest : public TypeFlagsTest, public ::testing::WithParamInterface<Preset> {};

TEST_P(PresetTest, LaysTheObjectOutAsALadderTurnedToItsDirection) {
  const Preset p = GetParam();
  Select(1);
  ui.ChooseType(QString::fromLatin1(p.type));
  ui.Type("Rotation", QStringLiteral("30"));
  ui.Click("SpeedButton21");
  ExpectNoErrors();
  const int rowAngle = 30 + p.rowTurn;
  const auto shown = [](long double v) { return FieldRoundTrip(v); };
  const long double dx = shown(p.length * std::cos(Radians(30)));
  const long double dz = shown(p.length * std::sin(Radians(30)));
  const long double rx = shown(p.rowLength * std::cos(Radians(rowAngle)));
  const long double rz = shown(p.rowLength * std::sin(Radians(rowAngle)));
  const tDesc& object = Object(1);
  ASSERT_EQ(object.pointCount, 6u);
  EXPECT_EQ(Xyz(object.Point(1)), (Position{0, 0, 0}));
  for (int k = 2; k <= 6; ++k) {
    const long double h = (k - 1) / 2;
    const bool second = k % 2 == 0;
    const Position expected{static_cast<float>((second ? dx : 0) + rx * h),
                            static_cast<float>(p.rowDy * h),
                            static_cast<float>((second ? dz : 0) + rz * h)};
    EXPECT_EQ(Xyz(object.Point(k)), expected) << "point " << k;
  }
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 30);
  EXPECT_EQ(ui.Integer("XRotation")->Value(), rowAngle);
  EXPECT_NEAR(static_cast<double>(ui.Float("Lenge")->Value()), static_cast<double>(p.length), 1e-4);
  EXPECT_NEAR(static_cast<double>(ui.Float("XLenge")->Value()), static_cast<double>(p.rowLength),
              1e-4);
  EXPECT_EQ(ui.UndoSteps(), 2) << "the name, then the layout";
}

INSTANTIATE_TEST_SUITE_P(ThreeTypes, PresetTest,
                         ::testing::Values(Preset{"sp_jumptrailer_f", 15, 15, 4.5L, 0},
                                           Preset{"giz_bridge01_l", 20, 30, 0, 90},
                                           Preset{"giz_bridge02_l", 13, 20, 0, 90}));

class NoPresetTest : public TypeFlagsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(NoPresetTest, OtherTextsLayNothingOut) {
  Select(1);
  ui.PasteType(QString::fromLatin1(GetParam()));
  const std::vector<uint8_t> named = ui.DocumentBytes();
  const int steps = ui.UndoSteps();
  ui.Type("Lenge", QStringLiteral("99"));
  ui.Click("SpeedButton21");
  ExpectNoErrors();
  EXPECT_EQ(ui.DocumentBytes(), named);
  EXPECT_EQ(ui.UndoSteps(), steps);
  EXPECT_EQ(ui.Float("Lenge")->Value(), 99) << "no field was set";
}

INSTANTIATE_TEST_SUITE_P(PrefixCaseAndSpace, NoPresetTest,
                         ::testing::Values("open:giz_bridge02_l", "Giz_bridge02_l",
                                           "giz_bridge02_l ", "Select?"));

// --- flags

class FlagPresetTest : public TypeFlagsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FlagPresetTest, EveryPointTakesThePresetValue) {
  Select(1);
  ui.ChooseFlags(QString::fromLatin1(GetParam()));
  ExpectNoErrors();
  ExpectFlagsEverywhere(1, static_cast<uint32_t>(std::stoul(GetParam(), nullptr, 16)));
}

INSTANTIATE_TEST_SUITE_P(AllFifteen, FlagPresetTest,
                         ::testing::Values("0000", "001F", "0082", "0083", "008A", "018C", "03B3",
                                           "4381", "7317", "736A", "737C", "7388", "7395", "7397",
                                           "FFFF"));

TEST_F(TypeFlagsTest, ChoosingTheSamePresetAgainSetsTheNextObjectsFlagsToo) {
  Select(1);
  ui.ChooseFlags(QStringLiteral("0082"));
  Select(2);
  ui.ChooseFlags(QStringLiteral("0082"));
  ExpectNoErrors();
  ExpectFlagsEverywhere(2, 0x82);
  EXPECT_EQ(Object(1).Point(6).flags, 0x82u);
  EXPECT_EQ(ui.UndoSteps(), 2);
}

TEST_F(TypeFlagsTest, PresetFFFFChecksTheLowerSixteenBoxes) {
  Select(1);
  ui.ChooseFlags(QStringLiteral("FFFF"));
  for (int n = 1; n <= 16; ++n) EXPECT_FALSE(ui.Box(n)->isChecked()) << "c" << n;
  for (int n = 17; n <= 32; ++n) EXPECT_TRUE(ui.Box(n)->isChecked()) << "c" << n;
  EXPECT_EQ(ui.FieldText("HexEdit"), QStringLiteral("0000FFFF"));
}

TEST_F(TypeFlagsTest, TypedHexTextTakesLowerCaseDigits) {
  Select(2);
  ui.Type("HexEdit", QStringLiteral("7fffffff"));
  ui.Click("SpeedButton18");
  ExpectNoErrors();
  ExpectFlagsEverywhere(2, 0x7FFFFFFF);
}

TEST_F(TypeFlagsTest, TypedHexTextReadsOtherCharactersAsZero) {
  Select(2);
  ui.Type("HexEdit", QStringLiteral("12 "));
  ui.Click("SpeedButton18");
  ExpectFlagsEverywhere(2, 0x120);
}

TEST_F(TypeFlagsTest, TypedValueWithBitThirtyOneIsRefused) {
  Select(2);
  const std::vector<uint8_t> before = ui.DocumentBytes();
  ui.Type("HexEdit", QStringLiteral("80000000"));
  ui.Click("SpeedButton18");
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].startsWith(QStringLiteral("Overflow error")));
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(ui.Column("Ents", 4), QStringList({"00008001", "00008001"}));
  EXPECT_EQ(ui.UndoSteps(), 0);
}

TEST_F(TypeFlagsTest, FlagsOfAnObjectWithoutPointsChangeNothing) {
  Select(3);
  const std::vector<uint8_t> before = ui.DocumentBytes();
  ui.ChooseFlags(QStringLiteral("7317"));
  ExpectNoErrors();
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(ui.FieldText("HexEdit"), QStringLiteral("7317")) << "the refresh leaves it";
}

class BoxTest : public TypeFlagsTest, public ::testing::WithParamInterface<int> {};

TEST_P(BoxTest, ClickingBoxNSetsBitThirtyTwoMinusNOnEveryPoint) {
  const int n = GetParam();
  Select(1);
  ui.ClickBox(n);
  ExpectNoErrors();
  ExpectFlagsEverywhere(1, 1u << (32 - n));
  ui.ClickBox(n);
  ExpectFlagsEverywhere(1, 0);
  EXPECT_EQ(ui.UndoSteps(), 2);
}

INSTANTIATE_TEST_SUITE_P(SomeBoxes, BoxTest, ::testing::Values(2, 9, 16, 17, 31, 32));

TEST_F(TypeFlagsTest, BoxesAddToTheShownFlags) {
  Select(2);  // 0x8001: c17 and c32
  ui.ClickBox(31);
  ExpectFlagsEverywhere(2, 0x8003);
  ui.ClickBox(17);
  ExpectFlagsEverywhere(2, 0x0003);
}

TEST_F(TypeFlagsTest, BoxOneWouldSetBitThirtyOneAndIsRefused) {
  Select(1);
  const std::vector<uint8_t> before = ui.DocumentBytes();
  ui.ClickBox(1);
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].startsWith(QStringLiteral("Overflow error")));
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(ui.UndoSteps(), 0);
  EXPECT_EQ(ui.form().RefreshDepth(), 0);
}

TEST_F(TypeFlagsTest, TheRefreshSettingTheBoxesAppliesNothing) {
  Select(2);
  Select(1);
  Select(2);
  ExpectNoErrors();
  EXPECT_EQ(ui.UndoSteps(), 0);
  EXPECT_EQ(Object(1).Point(1).flags, 0u);
  EXPECT_EQ(Object(2).Point(1).flags, 0x8001u);
  EXPECT_TRUE(ui.Box(17)->isChecked());
}

}  // namespace
}  // namespace qarn::testing
