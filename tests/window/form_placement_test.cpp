// Setting point 1, laying the points out, moving them and extending or shortening the object,
// through the buttons and fields of the edit panel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "form_driver.h"
#include "map/map_picture.h"

namespace qarn::testing {
namespace {

using Position = std::array<float, 3>;

class PlacementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.Load(ui.WriteFile(
        "placement.pathset",
        MakeDocument({MakeObject("line", {P(1, 2, 3, 0x11), P(4, 2.5f, -1, 0x22), P(7, 3, -5, 0x33),
                                          P(10, 3.5f, -9, 0x44), P(13, 4, -13, 0x55)}),
                      MakeObject("pair", {P(0, 0, 0, 0x10), P(10, 0, 0, 0x20)}),
                      MakeObject("ladder", {P(0, 0, 0), P(0, 0, 10), P(20, 0, 0), P(20, 0, 10),
                                            P(40, 0, 0), P(40, 0, 10)}),
                      MakeObject("single", {P(7, 1, 7)}), MakeObject("empty", {})})));
    ASSERT_TRUE(ui.dialogs().errors.isEmpty());
  }

  const tPoint& Point(int object, int k) { return ui.doc().Object(object).Point(k); }
  uint32_t Count(int object) { return ui.doc().Object(object).pointCount; }
  void Select(int row) { ui.ClickRow("Names", row); }
  void ExpectUnchanged(int object, int k, const tDesc& before) {
    EXPECT_EQ(Xyz(Point(object, k)), Xyz(before.Point(k))) << "point " << k;
    EXPECT_EQ(Point(object, k).flags, before.Point(k).flags) << "point " << k;
  }

  FormDriver ui;
};

// --- set point 1

TEST_F(PlacementTest, SetPointOneTakesTheTypedPositionAndTheFlagsOfThePointRow) {
  Select(1);
  const tDesc before = ui.doc().Object(1);
  ui.ClickRow("Ents", 3);
  ui.Type("xEdit", QStringLiteral("1,5"));
  ui.Type("yEdit", QStringLiteral("-2"));
  ui.Type("zEdit", QStringLiteral("0.25"));
  ui.Click("SpeedButton4");
  ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  EXPECT_EQ(Xyz(Point(1, 1)), (Position{1.5f, -2, 0.25f}));
  EXPECT_EQ(Point(1, 1).flags, before.Point(3).flags);
  EXPECT_EQ(Count(1), 5u);
  for (int k = 2; k <= 5; ++k) ExpectUnchanged(1, k, before);
  EXPECT_EQ(ui.Grid("Ents")->GetCellDrawText(1, 1), QStringLiteral("1,50"));
  EXPECT_EQ(ui.Grid("Ents")->GetCellDrawText(4, 1), QStringLiteral("00000033"));
  EXPECT_EQ(ui.UndoSteps(), 1);
}

TEST_F(PlacementTest, SetPointOneRoundsTheFieldValuesToFloatsOnce) {
  Select(2);
  ui.ClickRow("Ents", 1);
  ui.Type("xEdit", QStringLiteral("0,1"));
  ui.Type("zEdit", QStringLiteral("-1234,567"));
  ui.Click("SpeedButton4");
  EXPECT_EQ(Point(2, 1).x, static_cast<float>(0.1L));
  EXPECT_EQ(Point(2, 1).z, static_cast<float>(-(1234 + 0.567L)));
  EXPECT_EQ(Point(2, 1).flags, 0x10u);
}

TEST_F(PlacementTest, SetPointOneOnAnObjectWithoutPointsShowsNoChange) {
  Select(5);
  const std::vector<uint8_t> before = ui.DocumentBytes();
  ui.Type("xEdit", QStringLiteral("3"));
  ui.Click("SpeedButton4");
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(ui.Grid("Ents")->RowCount(), 1);
  EXPECT_EQ(ui.UndoSteps(), 0);
}

// --- lay out

class LayOutButtonTest : public PlacementTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(LayOutButtonTest, SingleLineRunsFromTheBasePositionAndLeavesPointOne) {
  Select(1);
  const tDesc before = ui.doc().Object(1);
  ui.Type("xEdit", QStringLiteral("100"));
  ui.Type("yEdit", QStringLiteral("1"));
  ui.Type("zEdit", QStringLiteral("-3,25"));
  ui.Type("dxEdit", QStringLiteral("0,1"));
  ui.Type("dyEdit", QStringLiteral("0"));
  ui.Type("dzEdit", QStringLiteral("-2,5"));
  ui.Type("XLenge", QStringLiteral("0"));  // exactly 0: one line
  ui.Click(QString::fromLatin1(GetParam()));
  ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  ExpectUnchanged(1, 1, before);
  for (int k = 2; k <= 5; ++k) {
    const long double steps = k - 1;
    EXPECT_EQ(Xyz(Point(1, k)), (Position{static_cast<float>(100 + 0.1L * steps), 1,
                                          static_cast<float>(-3.25L + -2.5L * steps)}))
        << "point " << k;
    EXPECT_EQ(Point(1, k).flags, before.Point(k).flags);
  }
  EXPECT_EQ(Count(1), 5u);
}

INSTANTIATE_TEST_SUITE_P(PairRowAndRowRow, LayOutButtonTest,
                         ::testing::Values("SpeedButton5", "SpeedButton20"));

TEST_F(PlacementTest, SingleLineWithoutPairOffsetPutsEveryLaterPointOnTheBase) {
  Select(1);
  const tDesc before = ui.doc().Object(1);
  ui.Type("xEdit", QStringLiteral("-8"));
  for (const char* field : {"dxEdit", "dyEdit", "dzEdit", "XLenge"}) {
    ui.Type(QString::fromLatin1(field), QStringLiteral("0"));
  }
  ui.Click("SpeedButton5");
  ExpectUnchanged(1, 1, before);
  for (int k = 2; k <= 5; ++k) {
    EXPECT_EQ(Xyz(Point(1, k)), (Position{-8, before.Point(1).y, before.Point(1).z}));
  }
}

TEST_F(PlacementTest, LadderOfTwoPointsMovesOnlyPointTwo) {
  Select(2);
  ui.Type("xEdit", QStringLiteral("50"));
  ui.Type("dxEdit", QStringLiteral("1"));
  ui.Type("dzEdit", QStringLiteral("2"));
  ui.Type("XdxEdit", QStringLiteral("3"));
  ui.Type("XdzEdit", QStringLiteral("4"));
  ui.Type("XLenge", QStringLiteral("5"));
  ui.Click("SpeedButton20");
  EXPECT_EQ(Xyz(Point(2, 1)), (Position{0, 0, 0}));
  EXPECT_EQ(Xyz(Point(2, 2)), (Position{51, 0, 2}));
  EXPECT_EQ(Point(2, 2).flags, 0x20u);
  EXPECT_EQ(Count(2), 2u);
}

TEST_F(PlacementTest, LadderWithoutRowOffsetStacksThePairsOnTheBase) {
  Select(1);  // five points with point 3 apart from point 1: a ladder
  ASSERT_NE(ui.Float("XLenge")->Value(), 0);
  const tDesc before = ui.doc().Object(1);
  ui.Type("xEdit", QStringLiteral("-7"));
  ui.Type("dxEdit", QStringLiteral("0"));
  ui.Type("dyEdit", QStringLiteral("0"));
  ui.Type("dzEdit", QStringLiteral("5"));
  for (const char* field : {"XdxEdit", "XdyEdit", "XdzEdit"}) {
    ui.Type(QString::fromLatin1(field), QStringLiteral("0"));
  }
  ui.Click("SpeedButton5");
  ExpectUnchanged(1, 1, before);
  const float y = before.Point(1).y;
  const float z = before.Point(1).z;
  for (int k = 2; k <= 5; ++k) {
    const Position expected = k % 2 == 0 ? Position{-7, y, z + 5} : Position{-7, y, z};
    EXPECT_EQ(Xyz(Point(1, k)), expected) << "point " << k;
  }
}

TEST_F(PlacementTest, LadderPlacesPairsAlongTheRows) {
  Select(3);
  ui.Type("xEdit", QStringLiteral("1"));
  ui.Type("dxEdit", QStringLiteral("0,5"));
  ui.Type("dzEdit", QStringLiteral("3"));
  ui.Type("XdxEdit", QStringLiteral("4"));
  ui.Type("XdyEdit", QStringLiteral("0,25"));
  ui.Type("XdzEdit", QStringLiteral("-1"));
  ui.Click("SpeedButton5");
  // Base (1, 0, 0), pair offset (0.5, 0, 3), row offset (4, 0.25, -1).
  EXPECT_EQ(Xyz(Point(3, 1)), (Position{0, 0, 0}));
  EXPECT_EQ(Xyz(Point(3, 2)), (Position{1.5f, 0, 3}));
  EXPECT_EQ(Xyz(Point(3, 3)), (Position{5, 0.25f, -1}));
  EXPECT_EQ(Xyz(Point(3, 4)), (Position{5.5f, 0.25f, 2}));
  EXPECT_EQ(Xyz(Point(3, 5)), (Position{9, 0.5f, -2}));
  EXPECT_EQ(Xyz(Point(3, 6)), (Position{9.5f, 0.5f, 1}));
}

// --- move

struct Move {
  const char* button;
  float ax, ay, az;
};

void PrintTo(const Move& move, std::ostream* out) {
  *out << move.button;
}

class ShiftTest : public PlacementTest, public ::testing::WithParamInterface<Move> {};

TEST_P(ShiftTest, EveryPointMovesByTheStepAlongTheButtonsDirection) {
  const Move move = GetParam();
  Select(1);
  const tDesc before = ui.doc().Object(1);
  const tDesc other = ui.doc().Object(2);
  ui.Type("mEdit", QStringLiteral("2,5"));
  ui.Click(QString::fromLatin1(move.button));
  ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  for (int k = 1; k <= 5; ++k) {
    const tPoint& p = before.Point(k);
    EXPECT_EQ(Xyz(Point(1, k)), (Position{static_cast<float>(move.ax * 2.5L + p.x),
                                          static_cast<float>(move.ay * 2.5L + p.y),
                                          static_cast<float>(move.az * 2.5L + p.z)}))
        << "point " << k;
    EXPECT_EQ(Point(1, k).flags, p.flags);
  }
  for (int k = 1; k <= 2; ++k) ExpectUnchanged(2, k, other);
  EXPECT_EQ(ui.Float("mEdit")->Value(), 2.5L) << "the step stays for the next move";
}

INSTANTIATE_TEST_SUITE_P(EightDirectionsAndHeight, ShiftTest,
                         ::testing::Values(Move{"nwButton", -1, 0, -1}, Move{"nButton", 0, 0, -1},
                                           Move{"neButton", 1, 0, -1}, Move{"eButton", 1, 0, 0},
                                           Move{"seButton", 1, 0, 1}, Move{"sButton", 0, 0, 1},
                                           Move{"swButton", -1, 0, 1}, Move{"wButton", -1, 0, 0},
                                           Move{"UpButton", 0, 1, 0},
                                           Move{"DownButton", 0, -1, 0}));

TEST_F(PlacementTest, NorthWestWithStepOneTakesOneFromXAndZ) {
  Select(2);
  ui.Click("nwButton");
  EXPECT_EQ(Xyz(Point(2, 1)), (Position{-1, 0, -1}));
  EXPECT_EQ(Xyz(Point(2, 2)), (Position{9, 0, -1}));
}

TEST_F(PlacementTest, StepZeroMovesNothingButStillRunsTheCycle) {
  Select(1);
  const std::vector<uint8_t> before = ui.DocumentBytes();
  ui.Type("mEdit", QStringLiteral("0"));
  ui.Type("xEdit", QStringLiteral("123"));  // only a refresh puts point 1's x back
  ui.Click("nwButton");
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(ui.Float("xEdit")->Value(), 1);
  EXPECT_EQ(QApplication::focusWidget(), ui.Grid("Names"));
  EXPECT_EQ(ui.UndoSteps(), 0) << "nothing changed, nothing to undo";
}

TEST_F(PlacementTest, MovingAnObjectWithoutPointsIsNoError) {
  Select(5);
  const std::vector<uint8_t> before = ui.DocumentBytes();
  ui.Click("eButton");
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
  EXPECT_EQ(ui.DocumentBytes(), before);
}

TEST_F(PlacementTest, MarksFollowTheMovedObject) {
  Select(3);
  const QPoint oldFirst = ui.form().Transform().PixelOf(0, 0);
  ui.Type("mEdit", QStringLiteral("100"));
  ui.Click("eButton");
  ui.Click("sButton");
  const QImage& map = ui.form().MapImage();
  const QPoint newFirst = ui.form().Transform().PixelOf(100, 100);
  // The direction line runs down from the disc's centre towards point 2.
  EXPECT_EQ(map.pixelColor(newFirst + QPoint(-2, 0)), QColor(255, 0, 0)) << "disc at point 1";
  EXPECT_EQ(map.pixelColor(oldFirst), MapPicture::BuiltInMap().pixelColor(oldFirst));
  EXPECT_EQ(map.pixelColor(ui.form().Transform().PixelOf(140, 110)), QColor(0, 0, 0))
      << "cross at point 6";
}

// --- extend and shorten

TEST_F(PlacementTest, ExtendContinuesTheLastStepWithTheLastPointsFlags) {
  Select(2);
  ui.Click("SpeedButton8");
  ASSERT_EQ(Count(2), 3u);
  EXPECT_EQ(Xyz(Point(2, 3)), (Position{20, 0, 0}));
  EXPECT_EQ(Point(2, 3).flags, 0x20u);
  EXPECT_EQ(ui.Grid("Ents")->RowCount(), 4);
  EXPECT_EQ(ui.Grid("Ents")->GetCellDrawText(1, 3), QStringLiteral("20,00"));
}

TEST_F(PlacementTest, ExtendByAPairKeepsAnEvenLineOnItsLine) {
  Select(1);
  ui.Click("SpeedButton19");
  ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  ASSERT_EQ(Count(1), 7u);
  for (int k = 1; k <= 7; ++k) {
    const auto i = static_cast<float>(k - 1);
    EXPECT_EQ(Xyz(Point(1, k)), (Position{1 + 3 * i, 2 + 0.5f * i, 3 - 4 * i})) << "point " << k;
  }
  EXPECT_EQ(Point(1, 6).flags, 0x55u);
  EXPECT_EQ(Point(1, 7).flags, 0x55u);
  EXPECT_EQ(ui.UndoSteps(), 1) << "one command, one step";
}

TEST_F(PlacementTest, ExtendByAPairAddsTheNextRungOfALadder) {
  Select(3);
  ui.Click("SpeedButton19");
  ASSERT_EQ(Count(3), 8u);
  EXPECT_EQ(Xyz(Point(3, 7)), (Position{60, 0, 0}));
  EXPECT_EQ(Xyz(Point(3, 8)), (Position{60, 0, 10}));
  EXPECT_EQ(Xyz(Point(3, 6)), (Position{40, 0, 10}));
}

TEST_F(PlacementTest, RemoveLastPointStopsAtTwo) {
  Select(1);
  for (uint32_t expected : {4u, 3u, 2u, 2u}) {
    ui.Click("SpeedButton17");
    EXPECT_EQ(Count(1), expected);
    EXPECT_EQ(ui.Grid("Ents")->RowCount(), static_cast<int>(expected) + 1);
  }
  EXPECT_EQ(Xyz(Point(1, 2)), (Position{4, 2.5f, -1}));
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
  EXPECT_EQ(ui.UndoSteps(), 3) << "the click at two points does nothing";
}

class LongObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.Load(ui.WriteFile("long.pathset",
                         MakeDocument({MakeLine("long", 255, P(1, 0, -2, 0x7), P(0.5f, 0.25f, 3)),
                                       MakeObject("other", {P(5, 5, 5)})})));
    ui.ClickRow("Names", 1);
  }
  FormDriver ui;
};

TEST_F(LongObjectTest, ExtendFillsTheLastSlotAndStopsAtTheFull256) {
  const tDesc before = ui.doc().Object(1);
  ui.Click("SpeedButton8");
  ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  const tDesc& object = ui.doc().Object(1);
  ASSERT_EQ(object.pointCount, 256u);
  const tPoint& a = before.Point(254);
  const tPoint& b = before.Point(255);
  EXPECT_EQ(Xyz(object.Point(256)),
            (Position{b.x + (b.x - a.x), b.y + (b.y - a.y), b.z + (b.z - a.z)}));
  EXPECT_EQ(ui.Grid("Ents")->RowCount(), 257);

  const std::vector<uint8_t> full = ui.DocumentBytes();
  ui.Click("SpeedButton8");
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].startsWith(QStringLiteral("Range check error")))
      << ui.dialogs().errors[0].toStdString();
  EXPECT_EQ(ui.DocumentBytes(), full);
  EXPECT_EQ(ui.UndoSteps(), 1);
}

// Both decimal separators are read, whatever the locale; the lists and fields show the locale's.
class PlacementLocaleTest : public PlacementTest,
                            public ::testing::WithParamInterface<QLocale::Language> {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(GetParam()));
    PlacementTest::SetUp();
  }
  void TearDown() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
};

TEST_P(PlacementLocaleTest, BothSeparatorsAreReadAndTheListsShowTheLocalesOwn) {
  Select(2);
  ui.ClickRow("Ents", 1);
  ui.Type("xEdit", QStringLiteral("1,5"));
  ui.Type("zEdit", QStringLiteral("-2.75"));
  ui.Click("SpeedButton4");
  EXPECT_EQ(Xyz(Point(2, 1)), (Position{1.5f, 0, -2.75f}));
  const QString separator = QLocale().decimalPoint();
  EXPECT_EQ(ui.Grid("Ents")->GetCellDrawText(1, 1), "1" + separator + "50");
  EXPECT_EQ(ui.Grid("Ents")->GetCellDrawText(3, 1), "-2" + separator + "75");
  EXPECT_EQ(ui.FieldText("dxEdit"), "8" + separator + "5");
}

INSTANTIATE_TEST_SUITE_P(CommaAndPoint, PlacementLocaleTest,
                         ::testing::Values(QLocale::German, QLocale::English));

}  // namespace
}  // namespace qarn::testing
