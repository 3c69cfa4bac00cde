// Turning the layout of the selected object about point 1 with the rotation buttons.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "form_driver.h"
#include "geometry/polar.h"
#include "map/map_picture.h"

namespace qarn::testing {
namespace {

using Position = std::array<float, 3>;

// The offset the rotation writes for a length and an angle in degrees, as the layout reads it
// back from the fields.
long double TurnedX(long double length, long double degrees) {
  return FieldRoundTrip(length * std::cos(Radians(degrees)));
}
long double TurnedZ(long double length, long double degrees) {
  return FieldRoundTrip(length * std::sin(Radians(degrees)));
}

float Distance(const tPoint& a, const tPoint& b) {
  return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

class RotationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The ladder's pairs point along +z (90 degrees), its rows along +x (0 degrees).
    ui.Load(ui.WriteFile(
        "rotation.pathset",
        MakeDocument({MakeObject("pair", {P(0, 0, 0, 0x3), P(10, 0, 0, 0x3)}),
                      MakeObject("ladder", {P(0, 0, 0), P(0, 0, 100), P(200, 0, 0), P(200, 0, 100),
                                            P(400, 0, 0), P(400, 0, 100)}),
                      MakeObject("empty", {})})));
    ASSERT_TRUE(ui.dialogs().errors.isEmpty());
  }
  const tPoint& Point(int object, int k) { return ui.doc().Object(object).Point(k); }
  void Select(int row) { ui.ClickRow("Names", row); }
  void ExpectNoErrors() {
    EXPECT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  }
  FormDriver ui;
};

struct Turn {
  const char* button;
  int step;
  int shownAngle;  // what the refresh shows afterwards, 0 to 360
};

void PrintTo(const Turn& turn, std::ostream* out) {
  *out << turn.button;
}

class PairTurnTest : public RotationTest, public ::testing::WithParamInterface<Turn> {};

TEST_P(PairTurnTest, PointTwoTurnsAboutPointOne) {
  const Turn turn = GetParam();
  Select(1);
  ASSERT_EQ(ui.Integer("Rotation")->Value(), 0);
  ui.Click(QString::fromLatin1(turn.button));
  ExpectNoErrors();
  const tPoint& p2 = Point(1, 2);
  EXPECT_EQ(Xyz(p2), (Position{static_cast<float>(TurnedX(10, turn.step)), 0,
                               static_cast<float>(TurnedZ(10, turn.step))}));
  EXPECT_EQ(p2.flags, 0x3u);
  EXPECT_EQ(Xyz(Point(1, 1)), (Position{0, 0, 0}));
  EXPECT_EQ(ui.Integer("Rotation")->Value(), turn.shownAngle);
  EXPECT_NEAR(static_cast<double>(ui.Float("Lenge")->Value()), 10, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(FifteenAndOneDegree, PairTurnTest,
                         ::testing::Values(Turn{"rotRightButton", 15, 15},
                                           Turn{"rotLeftButton", -15, 345},
                                           Turn{"rotRightButton2", 1, 1},
                                           Turn{"rotLeftButton2", -1, 359}));

TEST_F(RotationTest, FifteenDegreesTurnsTenUnitsToWhereTheMapExpectsThem) {
  Select(1);
  ui.Click("rotRightButton");
  EXPECT_NEAR(Point(1, 2).x, 9.659, 1e-3);
  EXPECT_NEAR(Point(1, 2).z, 2.588, 1e-3);
  ui.Click("rotLeftButton");
  ui.Click("rotLeftButton");
  EXPECT_NEAR(Point(1, 2).x, 9.659, 1e-3);
  EXPECT_NEAR(Point(1, 2).z, -2.588, 1e-3);
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 345);
}

TEST_F(RotationTest, FifteenSmallStepsTurnAsFarAsOneLargeStep) {
  Select(1);
  const std::vector<uint8_t> start = ui.DocumentBytes();
  for (int i = 0; i < 15; ++i) ui.Click("rotRightButton2");
  const tPoint small = Point(1, 2);
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 15);
  EXPECT_EQ(ui.UndoSteps(), 15);
  while (ui.form().UndoStack().canUndo()) ui.form().UndoStack().undo();
  ASSERT_EQ(ui.DocumentBytes(), start);
  ui.ClickRow("Names", 1);
  ui.Click("rotRightButton");
  ExpectNoErrors();
  EXPECT_NEAR(small.x, Point(1, 2).x, 1e-4);
  EXPECT_NEAR(small.z, Point(1, 2).z, 1e-4);
}

TEST_F(RotationTest, LadderTurnsRigidlyAboutPointOne) {
  Select(2);
  const tDesc before = ui.doc().Object(2);
  ui.Click("rotRightButton");
  ExpectNoErrors();
  const tDesc& after = ui.doc().Object(2);
  for (int a = 1; a <= 6; ++a) {
    for (int b = a + 1; b <= 6; ++b) {
      EXPECT_NEAR(Distance(after.Point(a), after.Point(b)),
                  Distance(before.Point(a), before.Point(b)), 1e-3)
          << "points " << a << " and " << b;
    }
  }
  EXPECT_EQ(Xyz(after.Point(1)), (Position{0, 0, 0}));
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 105);
  EXPECT_EQ(ui.Integer("XRotation")->Value(), 15);
  EXPECT_EQ(Xyz(after.Point(3)), (Position{static_cast<float>(TurnedX(200, 15)), 0,
                                           static_cast<float>(TurnedZ(200, 15))}));
}

TEST_F(RotationTest, MarksOfTheTurnedLadderMove) {
  Select(2);
  const QPoint oldThird = ui.form().Transform().PixelOf(200, 0);
  ui.Click("rotRightButton");
  const QPoint newThird = ui.form().Transform().PixelOf(Point(2, 3).x, Point(2, 3).z);
  ASSERT_GT((newThird - oldThird).manhattanLength(), 10);
  const QImage& map = ui.form().MapImage();
  EXPECT_EQ(map.pixelColor(newThird), QColor(0, 0, 0)) << "cross at point 3";
  EXPECT_EQ(map.pixelColor(oldThird), MapPicture::BuiltInMap().pixelColor(oldThird));
}

class RowTurnTest : public RotationTest, public ::testing::WithParamInterface<Turn> {};

TEST_P(RowTurnTest, OnlyTheRowsSwingTheRungsKeepTheirDirection) {
  const Turn turn = GetParam();
  Select(2);
  ui.Click(QString::fromLatin1(turn.button));
  ExpectNoErrors();
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 90);
  EXPECT_EQ(ui.Integer("XRotation")->Value(), turn.shownAngle);
  const long double rowX = TurnedX(200, turn.step), rowZ = TurnedZ(200, turn.step);
  // The rungs are laid out again at the 90 degrees the refresh showed.
  const long double pairX = TurnedX(100, 90), pairZ = TurnedZ(100, 90);
  EXPECT_EQ(Xyz(Point(2, 3)), (Position{static_cast<float>(rowX), 0, static_cast<float>(rowZ)}));
  EXPECT_EQ(Xyz(Point(2, 2)), (Position{static_cast<float>(pairX), 0, static_cast<float>(pairZ)}));
  EXPECT_EQ(Xyz(Point(2, 4)),
            (Position{static_cast<float>(pairX + rowX), 0, static_cast<float>(pairZ + rowZ)}));
}

INSTANTIATE_TEST_SUITE_P(FifteenAndOneDegree, RowTurnTest,
                         ::testing::Values(Turn{"XrotRightButton", 15, 15},
                                           Turn{"XrotLeftButton", -15, 345},
                                           Turn{"XrotRightButton2", 1, 1},
                                           Turn{"XrotLeftButton2", -1, 359}));

TEST_F(RotationTest, AtNinetyDegreesTheCosineIsNotQuiteZero) {
  Select(1);
  ui.Type("Rotation", QStringLiteral("90"));
  ui.Click("rotOkButton");
  ExpectNoErrors();
  const float x = Point(1, 2).x;
  EXPECT_NE(x, 0.0f);
  EXPECT_LT(std::fabs(x), 1e-12f);
  EXPECT_EQ(x, static_cast<float>(TurnedX(10, 90)));
  EXPECT_EQ(Point(1, 2).z, 10.0f);
}

class OkButtonTest : public RotationTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(OkButtonTest, TypedLengthsAndAnglesAreApplied) {
  Select(2);
  ui.Type("Lenge", QStringLiteral("5"));
  ui.Type("Rotation", QStringLiteral("30"));
  ui.Type("XLenge", QStringLiteral("12,5"));
  ui.Type("XRotation", QStringLiteral("-45"));
  ui.Click(QString::fromLatin1(GetParam()));
  ExpectNoErrors();
  const long double dx = TurnedX(5, 30), dz = TurnedZ(5, 30);
  const long double rx = TurnedX(12.5L, -45), rz = TurnedZ(12.5L, -45);
  EXPECT_EQ(Xyz(Point(2, 2)), (Position{static_cast<float>(dx), 0, static_cast<float>(dz)}));
  EXPECT_EQ(Xyz(Point(2, 5)),
            (Position{static_cast<float>(rx * 2), 0, static_cast<float>(rz * 2)}));
  EXPECT_EQ(Xyz(Point(2, 6)),
            (Position{static_cast<float>(dx + rx * 2), 0, static_cast<float>(dz + rz * 2)}));
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 30);
  EXPECT_EQ(ui.Integer("XRotation")->Value(), 315);
}

INSTANTIATE_TEST_SUITE_P(PairAndRow, OkButtonTest,
                         ::testing::Values("rotOkButton", "XrotOkButton"));

TEST_F(RotationTest, RowLengthZeroKeepsASingleLine) {
  Select(2);
  ui.Type("XLenge", QStringLiteral("0"));
  ui.Type("XRotation", QStringLiteral("45"));
  ui.Click("rotRightButton");
  ExpectNoErrors();
  const float dx = static_cast<float>(TurnedX(100, 105));
  const float dz = static_cast<float>(TurnedZ(100, 105));
  for (int k = 2; k <= 6; ++k) {
    EXPECT_NEAR(Point(2, k).x, dx * static_cast<float>(k - 1), 1e-3) << "point " << k;
    EXPECT_NEAR(Point(2, k).z, dz * static_cast<float>(k - 1), 1e-3) << "point " << k;
  }
}

// The degrees switch is process-wide; this test turns it off as a fresh start leaves it and
// puts it back afterwards.
class RadiansTest : public RotationTest {
 protected:
  void SetUp() override {
    saved_ = DegreesMode();
    RotationTest::SetUp();
  }
  void TearDown() override { SetDegreesMode(saved_); }
  bool saved_ = false;
};

TEST_F(RadiansTest, WithTheSwitchStillOffTheAngleIsRadians) {
  Select(1);
  SetDegreesMode(false);  // as before any object with two points was shown
  ui.Type("Rotation", QStringLiteral("15"));
  ui.Click("rotOkButton");
  ExpectNoErrors();
  const float x = static_cast<float>(FieldRoundTrip(10 * std::cos(15.0L)));
  const float z = static_cast<float>(FieldRoundTrip(10 * std::sin(15.0L)));
  EXPECT_EQ(Xyz(Point(1, 2)), (Position{x, 0, z}));
  EXPECT_NEAR(x, -7.597, 1e-3);
  EXPECT_NEAR(z, 6.503, 1e-3);
  EXPECT_TRUE(DegreesMode()) << "the refresh of a pair switches to degrees";
  const auto shown = static_cast<int>(std::lround(std::fmod(15 * 180 / std::numbers::pi, 360)));
  EXPECT_EQ(ui.Integer("Rotation")->Value(), shown);
}

}  // namespace
}  // namespace qarn::testing
