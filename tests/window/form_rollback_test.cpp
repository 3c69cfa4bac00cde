// Every command that fails leaves the document, the object list and the selection as they were,
// shows one message and adds no undo step.
#include <gtest/gtest.h>

#include <functional>

#include "form_driver.h"

namespace qarn::testing {
namespace {

// The document every failing case starts from: an object for each kind of failure.
enum Row { kEmpty = 1, kSingle, kPair, kFull, kFlagless, kAlmostFull };

tHeader RollbackDocument() {
  return MakeDocument({MakeObject("empty", {}), MakeObject("single", {P(1, 2, 3, 0x7)}),
                       MakeObject("pair", {P(0, 0, 0, 0x5), P(10, 0, 0, 0x5)}),
                       MakeLine("full", 256, P(-5, 1, 5, 0x9), P(0.5f, 0, 0.25f)),
                       MakeObject("flagless", {P(4, 4, 4), P(8, 4, 4)}),
                       MakeLine("almost full", 255, P(0, 0, 0, 0x1), P(1, 0, 1))});
}

// A large path set: 14 objects of 256 points leave no room for another.
tHeader FullDocument() {
  tHeader doc;
  for (int k = 1; k <= 14; ++k) {
    doc.records.push_back(std::make_unique<tDesc>(
        MakeLine("o" + std::to_string(k), 256, P(0, 0, static_cast<float>(k)), P(1, 0, 0))));
  }
  doc.objectCount = 14;
  doc.lastIndex = 13;
  return doc;
}

struct Failure {
  const char* name;
  std::function<tHeader()> document;  // nothing loaded when empty
  int row;                            // the object to select, 0 for none
  std::function<void(FormDriver&)> act;
  const char* message;                                 // how the error message begins
  std::function<void(FormDriver&)> prepare = nullptr;  // before the state is taken
};

void PrintTo(const Failure& f, std::ostream* out) {
  *out << f.name;
}

std::function<void(FormDriver&)> Click(const char* button) {
  return [button](FormDriver& ui) { ui.Click(QString::fromLatin1(button)); };
}

std::function<void(FormDriver&)> TypeAndClick(const char* field, const char* text,
                                              const char* button) {
  return [=](FormDriver& ui) {
    ui.Type(QString::fromLatin1(field), QString::fromLatin1(text));
    ui.Click(QString::fromLatin1(button));
  };
}

class RollbackTest : public ::testing::TestWithParam<Failure> {
 protected:
  void SetUp() override {
    const Failure& f = GetParam();
    if (f.document) ui.Load(ui.WriteFile("start.pathset", f.document()));
    if (f.row > 0) ui.ClickRow("Names", f.row);
    if (f.prepare) f.prepare(ui);
    ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  }
  FormDriver ui;
};

TEST_P(RollbackTest, FailureChangesNothingAndLeavesNoUndoStep) {
  const Failure& f = GetParam();
  const std::vector<uint8_t> bytes = ui.DocumentBytes();
  const QStringList names = ui.Column("Names", 1);
  const QStringList points = ui.Column("Ents", 1) + ui.Column("Ents", 4);
  const int row = ui.Grid("Names")->Row();
  const int steps = ui.UndoSteps();
  const bool modified = ui.form().IsModified();
  f.act(ui);
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].startsWith(QString::fromLatin1(f.message)))
      << ui.dialogs().errors[0].toStdString();
  EXPECT_EQ(ui.DocumentBytes(), bytes);
  EXPECT_EQ(ui.Column("Names", 1), names);
  EXPECT_EQ(ui.Column("Ents", 1) + ui.Column("Ents", 4), points);
  EXPECT_EQ(ui.Grid("Names")->Row(), row);
  EXPECT_EQ(ui.UndoSteps(), steps);
  EXPECT_EQ(ui.form().IsModified(), modified);
  EXPECT_EQ(ui.form().RefreshDepth(), 0);
}

constexpr const char* kRange = "Range check error";
constexpr const char* kOverflow = "Overflow error";
constexpr const char* kListIndex = "List index error";

INSTANTIATE_TEST_SUITE_P(
    Commands, RollbackTest,
    ::testing::Values(
        Failure{"LayOutWithoutPoints", RollbackDocument, kEmpty, Click("SpeedButton5"), kOverflow},
        Failure{"RowLayOutWithoutPoints", RollbackDocument, kEmpty, Click("SpeedButton20"),
                kOverflow},
        Failure{"TurnWithoutPoints", RollbackDocument, kEmpty, Click("rotRightButton"), kOverflow},
        Failure{"ExtendAt256", RollbackDocument, kFull, Click("SpeedButton8"), kRange},
        Failure{"ExtendWithOnePoint", RollbackDocument, kSingle, Click("SpeedButton8"), kOverflow},
        Failure{"ExtendWithoutPoints", RollbackDocument, kEmpty, Click("SpeedButton8"), kOverflow},
        Failure{"ExtendPairAt256", RollbackDocument, kFull, Click("SpeedButton19"), kRange},
        // The first of the two points fits, the second does not: the pair is one command.
        Failure{"ExtendPairAt255", RollbackDocument, kAlmostFull, Click("SpeedButton19"), kRange},
        Failure{"ExtendPairWithOnePoint", RollbackDocument, kSingle, Click("SpeedButton19"),
                kOverflow},
        Failure{"HexWithBit31", RollbackDocument, kPair,
                TypeAndClick("HexEdit", "80000000", "SpeedButton18"), kOverflow},
        Failure{"HexBeyond32Bits", RollbackDocument, kPair,
                TypeAndClick("HexEdit", "123456789", "SpeedButton18"), kOverflow},
        Failure{"BoxOfBit31", RollbackDocument, kFlagless, [](FormDriver& ui) { ui.ClickBox(1); },
                kOverflow},
        Failure{"TurnPastTheLargestAngle", RollbackDocument, kPair,
                TypeAndClick("Rotation", "2147483647", "rotRightButton"), kOverflow},
        Failure{"SmallTurnPastTheLargestAngle", RollbackDocument, kPair,
                TypeAndClick("Rotation", "2147483647", "rotRightButton2"), kOverflow},
        Failure{"TurnPastTheSmallestAngle", RollbackDocument, kPair,
                TypeAndClick("Rotation", "-2147483648", "rotLeftButton"), kOverflow},
        Failure{"RowTurnPastTheLargestAngle", RollbackDocument, kPair,
                TypeAndClick("XRotation", "2147483647", "XrotRightButton"), kOverflow},
        Failure{"PresetPastTheLargestAngle", RollbackDocument, kPair,
                TypeAndClick("Rotation", "2147483647", "SpeedButton21"), kOverflow,
                [](FormDriver& ui) { ui.ChooseType(QStringLiteral("giz_bridge01_l")); }},
        Failure{"CopyPastTheBuffer", FullDocument, 3, Click("SpeedButton1"), kRange},
        Failure{"SeriesPastTheBuffer", FullDocument, 3, Click("SpeedButton3"), kRange},
        Failure{"BoxWithNoObjects", nullptr, 0, [](FormDriver& ui) { ui.ClickBox(20); },
                kListIndex},
        Failure{"FlagPresetWithNoObjects", nullptr, 0,
                [](FormDriver& ui) { ui.ChooseFlags(QStringLiteral("0082")); }, kListIndex},
        Failure{"TypeWithNoObjects", nullptr, 0,
                [](FormDriver& ui) { ui.ChooseType(QStringLiteral("sp_ramp01_f")); },
                kListIndex}),
    [](const ::testing::TestParamInfo<Failure>& info) { return info.param.name; });

// Without an object the commands that act on one cannot be given: their buttons are disabled,
// and a click changes nothing and says nothing.
class NoObjectTest : public ::testing::TestWithParam<std::pair<bool, const char*>> {};

TEST_P(NoObjectTest, CommandOnAnObjectIsDisabled) {
  const auto [emptyFileLoaded, button] = GetParam();
  FormDriver ui;
  if (emptyFileLoaded) ui.Load(ui.WriteFile("empty.pathset", MakeDocument({})));
  const std::vector<uint8_t> bytes = ui.DocumentBytes();
  auto* glyph = ui.form().findChild<QToolButton*>(QString::fromLatin1(button));
  ASSERT_NE(glyph, nullptr);
  EXPECT_FALSE(glyph->isEnabled());
  ui.Click(QString::fromLatin1(button));
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
  EXPECT_EQ(ui.DocumentBytes(), bytes);
  EXPECT_EQ(ui.UndoSteps(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, NoObjectTest,
    ::testing::Values(std::pair{false, "SpeedButton4"}, std::pair{false, "SpeedButton5"},
                      std::pair{false, "seButton"}, std::pair{false, "UpButton"},
                      std::pair{false, "SpeedButton8"}, std::pair{false, "SpeedButton19"},
                      std::pair{false, "SpeedButton17"}, std::pair{false, "rotLeftButton2"},
                      std::pair{false, "XrotOkButton"}, std::pair{false, "SpeedButton18"},
                      std::pair{true, "rotRightButton"}, std::pair{true, "SpeedButton18"},
                      std::pair{true, "SpeedButton2"}, std::pair{true, "SpeedButton6"}));

// After a refused command the form goes on as before: the next command works and undoes alone.
TEST(RollbackRecoveryTest, NextCommandWorksAndUndoesOnItsOwn) {
  FormDriver ui;
  ui.Load(ui.WriteFile("start.pathset", RollbackDocument()));
  ui.ClickRow("Names", kFull);
  ui.Click("SpeedButton19");
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_EQ(ui.Grid("Ents")->RowCount(), 257) << "the fields show the object as it is";
  const std::vector<uint8_t> before = ui.DocumentBytes();
  ui.Click("SpeedButton17");
  EXPECT_EQ(ui.doc().Object(kFull).pointCount, 255u);
  ui.Click("UndoButton");
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(ui.UndoSteps(), 1);
  EXPECT_EQ(ui.dialogs().errors.size(), 1);
}

}  // namespace
}  // namespace qarn::testing
