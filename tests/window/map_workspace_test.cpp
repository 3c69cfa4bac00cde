// The map as a workspace, driven through the real widgets: zoom, pan, pick, select, drag to move
// and to turn.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include "commands/point_layout.h"
#include "document/path_set_codec.h"
#include "form_driver.h"
#include "map/magnifier.h"
#include "map/map_handles.h"
#include "map/zoomed_map.h"
#include "window/map_canvas.h"
#include "window/map_view.h"
#include "window/zoom_control.h"

namespace qarn::testing {
namespace {

class MapWorkspaceTest : public ::testing::Test {
 protected:
  FormDriver ui;
  const MapTransform& t = ui.form().Transform();

  MapView* View() { return ui.form().findChild<MapView*>(QStringLiteral("ScrollBox1")); }
  MapCanvas* Canvas() { return ui.form().findChild<MapCanvas*>(QStringLiteral("Image1")); }
  QPoint Scroll() {
    return {View()->horizontalScrollBar()->value(), View()->verticalScrollBar()->value()};
  }
  // The world point shown at a map pixel.
  tPoint At(int column, int row) {
    return P(t.MapToWorldX(float(column)), 0, t.MapToWorldZ(float(row)));
  }
  // Where a map pixel shows on the picture widget.
  QPoint OnCanvas(QPoint pixel) { return Canvas()->View().ViewPixelOf(pixel); }
  QPoint PixelUnder(QPoint canvasPos) { return Canvas()->View().MapPixelAt(canvasPos); }

  void Wheel(QPoint viewportPos, int delta, Qt::KeyboardModifiers modifiers) {
    const QPoint pos = Canvas()->mapFrom(View()->viewport(), viewportPos);
    QWheelEvent event(pos, Canvas()->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Canvas(), &event);
  }
  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint pos,
             Qt::KeyboardModifiers modifiers = {}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, pos, Canvas()->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, modifiers);
    QApplication::sendEvent(Canvas(), &event);
  }
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {},
            Qt::MouseButton button = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, button, from, modifiers);
    Mouse(QEvent::MouseMove, button, (from + to) / 2, modifiers);
    Mouse(QEvent::MouseMove, button, to, modifiers);
    Mouse(QEvent::MouseButtonRelease, button, to, modifiers);
  }
  void DoubleClick(QPoint pos) {
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton, pos);
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, pos);
    Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, pos);
    Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, pos);
  }
  // Loads objects and selects the first in the object list.
  void LoadAndSelect(std::initializer_list<tDesc> objects) {
    ui.Load(ui.WriteFile("map.pathset", MakeDocument(objects)));
    ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
    ui.ClickRow("Names", 1);
  }
  tDesc Triangle() { return MakeObject("tri", {At(600, 700), At(603, 700), At(600, 760)}); }
};

TEST_F(MapWorkspaceTest, CtrlWheelKeepsTheMapPixelUnderThePointer) {
  const QPoint pointer(200, 250);
  const QPoint pixel = PixelUnder(Canvas()->mapFrom(View()->viewport(), pointer));
  const double levels[] = {1.5, 2, 3, 4, 3, 2, 1.5, 1};
  for (double level : levels) {
    Wheel(pointer, level > View()->Scale() ? 120 : -120, Qt::ControlModifier);
    EXPECT_EQ(View()->Scale(), level);
    EXPECT_EQ(PixelUnder(Canvas()->mapFrom(View()->viewport(), pointer)), pixel) << level;
  }
  EXPECT_EQ(Scroll(), QPoint(505, 525)) << "back at 100 % where it started";
}

TEST_F(MapWorkspaceTest, WheelScrollsDownAndShiftWheelSideways) {
  const QPoint before = Scroll();
  Wheel({100, 100}, -120, {});
  EXPECT_EQ(Scroll().x(), before.x());
  EXPECT_GT(Scroll().y(), before.y());
  const QPoint down = Scroll();
  Wheel({100, 100}, -120, Qt::ShiftModifier);
  EXPECT_GT(Scroll().x(), down.x());
  EXPECT_EQ(Scroll().y(), down.y());
  EXPECT_EQ(View()->Scale(), 1.0);
}

struct PickCase {
  double scale;
  QPoint canvasPos;
  QPoint pixel;
};

class MapPickTest : public MapWorkspaceTest, public ::testing::WithParamInterface<PickCase> {};

TEST_P(MapPickTest, PickStatusAndMagnifierAreThoseOfThePixelUnderThePointer) {
  const PickCase& c = GetParam();
  View()->SetScale(c.scale);
  Mouse(QEvent::MouseMove, Qt::NoButton, c.canvasPos);
  const QString status = ui.form().findChild<QLabel*>(QStringLiteral("StatusLabel"))->text();
  const QLocale german(QLocale::German, QLocale::Germany);
  const float x = t.MapToWorldX(float(c.pixel.x()));
  const float z = t.MapToWorldZ(float(c.pixel.y()));
  EXPECT_TRUE(status.contains(
      QStringLiteral("x %1  z %2")
          .arg(german.toString(double(x), 'f', 2), german.toString(double(z), 'f', 2))))
      << status.toStdString();
  QWidget* magnifier = ui.form().findChild<QWidget*>(QStringLiteral("Image2"));
  QImage expected(magnifier->size(), QImage::Format_RGB32);
  QPainter painter(&expected);
  PaintMagnifier(painter, ui.form().MapImage(), c.pixel, expected.size(),
                 magnifier->palette().color(QPalette::Window));
  painter.end();
  EXPECT_EQ(magnifier->grab().toImage().convertToFormat(QImage::Format_RGB32), expected);
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, c.canvasPos);
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, c.canvasPos);
  EXPECT_EQ(static_cast<float>(ui.Float("xEdit")->Value()), x);
  EXPECT_EQ(static_cast<float>(ui.Float("zEdit")->Value()), z);
}

INSTANTIATE_TEST_SUITE_P(Zoom, MapPickTest,
                         ::testing::Values(PickCase{0.5, {504, 470}, {1009, 941}},
                                           PickCase{0.5, {505, 471}, {1011, 943}},
                                           PickCase{2, {2018, 1883}, {1009, 941}},
                                           PickCase{2, {2019, 1880}, {1009, 940}},
                                           PickCase{1, {1009, 941}, {1009, 941}}));

TEST_F(MapWorkspaceTest, KeysAndTheZoomBoxSetTheZoom) {
  auto* box = ui.form().findChild<ZoomControl*>(QStringLiteral("ZoomBox"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->currentText(), QStringLiteral("100 %"));
  QTest::keyClick(&ui.form(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(View()->Scale(), 1.5);
  EXPECT_EQ(box->currentText(), QStringLiteral("150 %"));
  QTest::keyClick(&ui.form(), Qt::Key_Minus, Qt::ControlModifier);
  QTest::keyClick(&ui.form(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(View()->Scale(), 0.67);
  QTest::keyClick(&ui.form(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(View()->Scale(), 1.0);
  QTest::keyClick(&ui.form(), Qt::Key_9, Qt::ControlModifier);
  const QSize room = View()->maximumViewportSize();
  EXPECT_LE(Canvas()->width(), room.width());
  EXPECT_LE(Canvas()->height(), room.height());
  EXPECT_TRUE(Canvas()->width() == room.width() || Canvas()->height() == room.height());
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), QStringLiteral("300"));
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(View()->Scale(), 3.0);
  EXPECT_EQ(box->currentText(), QStringLiteral("300 %"));
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), QStringLiteral("9000"));
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(View()->Scale(), 3.0) << "not a zoom level";
  EXPECT_EQ(box->currentText(), QStringLiteral("300 %"));
}

// A zoom typed with a decimal shows as it was taken; more decimals than the box shows are refused.
TEST_F(MapWorkspaceTest, TheZoomBoxShowsATypedDecimalAsItWasTaken) {
  auto* box = ui.form().findChild<ZoomControl*>(QStringLiteral("ZoomBox"));
  const struct {
    const char* typed;
    double scale;
    const char* shown;
  } cases[] = {{"150,5", 1.505, "150,5 %"},
               {"150,55", 1.505, "150,5 %"},
               {"75.5 %", 0.755, "75,5 %"},
               {"200,0", 2.0, "200 %"}};
  for (const auto& c : cases) {
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QString::fromLatin1(c.typed));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(View()->Scale(), c.scale) << c.typed;
    EXPECT_EQ(box->currentText(), QString::fromLatin1(c.shown)) << c.typed;
  }
}

TEST_F(MapWorkspaceTest, ZoomBoxSitsBetweenTheBottomBarsButtonsWithAccessibleNames) {
  auto* box = ui.form().findChild<ZoomControl*>(QStringLiteral("ZoomBox"));
  EXPECT_EQ(box->parentWidget()->objectName(), QStringLiteral("Panel1"));
  for (const char* name : {"Button2", "Button3", "StatusLabel"}) {
    EXPECT_FALSE(box->geometry().intersects(ui.form().findChild<QWidget*>(name)->geometry()))
        << name;
  }
  EXPECT_EQ(box->accessibleName(), QStringLiteral("Zoom"));
  EXPECT_EQ(View()->accessibleName(), QStringLiteral("Map"));
}

TEST_F(MapWorkspaceTest, AtFullSizeTheViewShowsThePicturePixelForPixel) {
  LoadAndSelect({Triangle()});
  const QRect shown(Scroll(), View()->viewport()->size());
  const QImage screen = Canvas()->grab(shown).toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(screen, ui.form().MapImage().copy(shown).convertToFormat(QImage::Format_RGB32));
}

TEST_F(MapWorkspaceTest, PanningWithTheMiddleButtonOrSpaceScrollsAndPicksNothing) {
  ui.Type("xEdit", QStringLiteral("5"));
  // One move each: the picture scrolls under the pointer, so later positions on it would not be
  // where a user's hand had moved.
  const auto pan = [&](QPoint from, QPoint by, Qt::MouseButton button) {
    Mouse(QEvent::MouseButtonPress, button, from);
    Mouse(QEvent::MouseMove, button, from + by);
    Mouse(QEvent::MouseButtonRelease, button, from + by);
  };
  const QPoint before = Scroll();
  pan({700, 800}, {-50, -40}, Qt::MiddleButton);
  EXPECT_EQ(Scroll(), before + QPoint(50, 40));
  EXPECT_EQ(ui.Float("xEdit")->Value(), 5) << "the release of a pan picks nothing";
  QEnterEvent enter(QPointF(700, 800), QPointF(700, 800), Canvas()->mapToGlobal(QPointF(700, 800)));
  QApplication::sendEvent(Canvas(), &enter);
  ui.Grid("Names")->setFocus();
  QTest::keyPress(ui.Grid("Names"), Qt::Key_Space);
  EXPECT_TRUE(Canvas()->SpaceHeld());
  const QPoint panned = Scroll();
  pan({700, 800}, {20, -10}, Qt::LeftButton);
  QTest::keyRelease(ui.Grid("Names"), Qt::Key_Space);
  EXPECT_FALSE(Canvas()->SpaceHeld());
  EXPECT_EQ(Scroll(), panned + QPoint(-20, 10));
  EXPECT_EQ(ui.Float("xEdit")->Value(), 5);
}

TEST_F(MapWorkspaceTest, SelectingAnObjectOutOfViewScrollsToItsFirstPoint) {
  LoadAndSelect({Triangle(), MakeObject("far", {At(100, 100), At(110, 100)}),
                 MakeObject("near far", {At(150, 150)})});
  EXPECT_EQ(Scroll(), QPoint(505, 525)) << "point 1 of object 1 was in view";
  ui.ClickRow("Names", 2);
  EXPECT_TRUE(QRect(Scroll(), View()->viewport()->size()).contains(OnCanvas({100, 100})));
  const QPoint there = Scroll();
  ui.ClickRow("Names", 3);
  EXPECT_EQ(Scroll(), there) << "point 1 of object 3 was in view";
}

struct SelectCase {
  const char* name;
  QPoint pixel;  // double-clicked, at 100 %
  int selected;  // object row, 0: none
};

class MapSelectTest : public MapWorkspaceTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(MapSelectTest, ADoubleClickSelectsTheObjectWithTheNearestPoint) {
  const SelectCase& c = GetParam();
  ui.Load(ui.WriteFile("three.pathset", MakeDocument({MakeObject("a", {At(600, 700), At(640, 700)}),
                                                      MakeObject("b", {At(700, 760), At(604, 700)}),
                                                      MakeObject("c", {At(800, 900)})})));
  ui.Type("xEdit", QStringLiteral("5"));
  DoubleClick(OnCanvas(c.pixel));
  if (c.selected == 0) {
    EXPECT_EQ(static_cast<float>(ui.Float("xEdit")->Value()), t.MapToWorldX(float(c.pixel.x())))
        << "nothing near: the clicks pick";
    return;
  }
  EXPECT_EQ(ui.Grid("Names")->Row(), c.selected);
  EXPECT_EQ(static_cast<float>(ui.Float("xEdit")->Value()), ui.doc().Object(c.selected).Point(1).x)
      << "the fields show the object, not the pointer's position";
}

INSTANTIATE_TEST_SUITE_P(Points, MapSelectTest,
                         ::testing::Values(SelectCase{"OnAPoint", {800, 900}, 3},
                                           SelectCase{"NearerToB", {603, 701}, 2},
                                           SelectCase{"TieGoesToTheLowerNumber", {602, 700}, 1},
                                           SelectCase{"SixPixelsAway", {806, 900}, 3},
                                           SelectCase{"TooFar", {807, 900}, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct MoveCase {
  double scale;
  QPoint drag;  // view pixels
  Qt::KeyboardModifiers modifiers;
  QPoint columns;  // map pixels moved
};

class MapMoveTest : public MapWorkspaceTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MapMoveTest, DraggingTheDiscMovesTheObjectAsTheShiftCommandWould) {
  const MoveCase& c = GetParam();
  LoadAndSelect({Triangle(), MakeObject("other", {At(100, 100)})});
  const std::vector<uint8_t> before = ui.DocumentBytes();
  const int steps = ui.UndoSteps();
  View()->SetScale(c.scale);
  const QPoint disc = OnCanvas({600, 700});
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, disc, c.modifiers);
  Mouse(QEvent::MouseMove, Qt::LeftButton, disc + c.drag, c.modifiers);
  EXPECT_EQ(ui.form().MapImage().pixelColor(QPoint(600, 702) + c.columns), QColor(Qt::red))
      << "the marks follow the pointer: the disc's filling below its line";
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, disc + c.drag, c.modifiers);
  tHeader expected = MakeDocument({Triangle(), MakeObject("other", {At(100, 100)})});
  ShiftPoints(expected.Object(1), float(c.columns.x()), 0, 0, t.unitsPerPixelX);
  ShiftPoints(expected.Object(1), 0, 0, float(c.columns.y()), t.unitsPerPixelZ);
  EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(expected));
  EXPECT_EQ(ui.UndoSteps(), steps + 1);
  ui.Click("UndoButton");
  EXPECT_EQ(ui.DocumentBytes(), before);
}

INSTANTIATE_TEST_SUITE_P(Zoom, MapMoveTest,
                         ::testing::Values(MoveCase{1, {20, 0}, {}, {20, 0}},
                                           MoveCase{2, {20, 0}, {}, {10, 0}},
                                           MoveCase{1, {-15, 30}, {}, {-15, 30}},
                                           MoveCase{2, {30, 12}, Qt::ShiftModifier, {15, 0}},
                                           MoveCase{0.5, {8, -20}, Qt::ShiftModifier, {0, -40}}));

TEST_F(MapWorkspaceTest, EscapeCancelsADragAndAShortPressIsAClick) {
  LoadAndSelect({Triangle()});
  const std::vector<uint8_t> before = ui.DocumentBytes();
  const QImage shown = ui.form().MapImage().copy();
  const int steps = ui.UndoSteps();
  const QPoint disc = OnCanvas({600, 700});
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, disc);
  Mouse(QEvent::MouseMove, Qt::LeftButton, disc + QPoint(30, 0));
  QTest::keyClick(Canvas(), Qt::Key_Escape);
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, disc + QPoint(30, 0));
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(ui.UndoSteps(), steps);
  EXPECT_EQ(ui.form().MapImage(), shown) << "the marks are back";
  // Less than the drag distance: a click, which picks.
  const QPoint nudge(QApplication::startDragDistance() - 1, 0);
  Drag(disc, disc + nudge);
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(static_cast<float>(ui.Float("xEdit")->Value()),
            t.MapToWorldX(float(PixelUnder(disc + nudge).x())));
}

TEST_F(MapWorkspaceTest, DraggingTheLineEndTurnsAsTypingTheAngleWould) {
  const tDesc ladder = MakeObject("lad", {At(600, 700), At(640, 700), At(600, 740), At(640, 740)});
  LoadAndSelect({ladder});
  const int steps = ui.UndoSteps();
  const QPoint end = OnCanvas({640, 700});  // point 2: the line is longer than 12 pixels
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, end);
  Mouse(QEvent::MouseMove, Qt::LeftButton, OnCanvas({620, 720}));
  EXPECT_TRUE(ui.form()
                  .findChild<QLabel*>(QStringLiteral("StatusLabel"))
                  ->text()
                  .contains(QStringLiteral("Rotation 47")));
  Mouse(QEvent::MouseMove, Qt::LeftButton, OnCanvas({600, 730}));
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, OnCanvas({600, 730}));
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 90);
  EXPECT_EQ(ui.UndoSteps(), steps + 1);

  FormDriver typed;
  typed.Load(typed.WriteFile("map.pathset", MakeDocument({ladder})));
  typed.ClickRow("Names", 1);
  typed.Type("Rotation", QStringLiteral("90"));
  typed.Click("rotOkButton");
  EXPECT_EQ(ui.DocumentBytes(), typed.DocumentBytes());
  EXPECT_NE(ui.DocumentBytes(), SerializeToBytes(MakeDocument({ladder})));
}

}  // namespace
}  // namespace qarn::testing

namespace qarn::testing {
namespace {

struct BandCase {
  double scale;
  QPoint fromPixel, toPixel;  // the band's corners, map pixels
  Qt::KeyboardModifiers modifiers;
  std::vector<int> selected;
};

class MapBandTest : public MapWorkspaceTest, public ::testing::WithParamInterface<BandCase> {};

// Objects 1 to 3 at map pixels (600, 700), (640, 700) and (700, 760); object 1 selected first.
TEST_P(MapBandTest, BandSelectsTheObjectsWithAPointInside) {
  const BandCase& c = GetParam();
  LoadAndSelect({MakeObject("a", {At(600, 700)}), MakeObject("b", {At(640, 700)}),
                 MakeObject("c", {At(700, 760), At(900, 900)})});
  View()->SetScale(c.scale);
  Drag(OnCanvas(c.fromPixel), OnCanvas(c.toPixel), c.modifiers);
  EXPECT_EQ(ui.form().Model().Selected().objects, c.selected);
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Scales, MapBandTest,
    ::testing::Values(BandCase{1.0, {630, 690}, {710, 770}, {}, {2, 3}},
                      BandCase{0.5, {630, 690}, {710, 770}, {}, {2, 3}},
                      BandCase{2.0, {595, 695}, {645, 705}, {}, {1, 2}},
                      BandCase{1.0, {710, 770}, {630, 690}, {}, {2, 3}},  // drawn backwards
                      BandCase{1.0, {890, 890}, {910, 910}, Qt::ShiftModifier, {1, 3}},
                      BandCase{2.0, {595, 695}, {645, 705}, Qt::ControlModifier, {2}},
                      BandCase{1.0, {300, 300}, {340, 340}, {}, {1}}));  // nothing inside

TEST_F(MapWorkspaceTest, EscapeCancelsTheBandAndAShortPressStillPicks) {
  LoadAndSelect({MakeObject("a", {At(600, 700)}), MakeObject("b", {At(640, 700)})});
  const QPoint from = OnCanvas({590, 690});
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, from);
  Mouse(QEvent::MouseMove, Qt::LeftButton, OnCanvas({650, 710}));
  QTest::keyClick(Canvas(), Qt::Key_Escape);
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, OnCanvas({650, 710}));
  EXPECT_EQ(ui.form().Model().Selected().objects, std::vector<int>{1});
  const QPoint nudge(QApplication::startDragDistance() - 1, 0);
  Drag(from, from + nudge);
  EXPECT_EQ(ui.Float("xEdit")->Value(),
            FieldRoundTrip(t.MapToWorldX(float(PixelUnder(from + nudge).x()))))
      << "a click picks where it is released";
}

}  // namespace
}  // namespace qarn::testing

namespace qarn::testing {
namespace {

struct PointDragCase {
  const char* name;
  double scale;
  QPoint pressPixel;  // map pixel pressed
  QPoint drag;        // view pixels
  Qt::KeyboardModifiers modifiers;
  int point;       // the point taken hold of
  QPoint columns;  // map pixels it moves
};

class MapPointDragTest : public MapWorkspaceTest,
                         public ::testing::WithParamInterface<PointDragCase> {
 protected:
  tDesc Ladder() {
    return MakeObject("lad", {At(600, 700), At(640, 700), At(600, 740), At(640, 740)});
  }
};

// The point lands on the position a click on its new pixel picks; the rest stays.
TEST_P(MapPointDragTest, DraggingAPointMovesItAloneToWholeMapPixels) {
  const PointDragCase& c = GetParam();
  LoadAndSelect({Ladder()});
  const std::vector<uint8_t> before = ui.DocumentBytes();
  View()->SetScale(c.scale);
  const QPoint press = OnCanvas(c.pressPixel);
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, press, c.modifiers);
  Mouse(QEvent::MouseMove, Qt::LeftButton, press + c.drag, c.modifiers);
  EXPECT_TRUE(ui.form()
                  .findChild<QLabel*>(QStringLiteral("StatusLabel"))
                  ->text()
                  .contains(QStringLiteral("point %1").arg(c.point)));
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, press + c.drag, c.modifiers);
  tHeader expected = MakeDocument({Ladder()});
  const QPoint to = c.pressPixel + c.columns;
  tPoint& moved = expected.Object(1).Point(c.point);
  moved.x = At(to.x(), to.y()).x;
  moved.z = At(to.x(), to.y()).z;
  EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(expected));
  EXPECT_EQ(ui.UndoSteps(), 1);
  EXPECT_EQ(ui.Grid("Ents")->Row(), c.point) << "the dragged point is the current row";
  ui.Click("UndoButton");
  EXPECT_EQ(ui.DocumentBytes(), before);
  if (c.modifiers) return;
  // Typed (here picked) into x and z, the keyboard's command gives the same bytes.
  ui.ClickRow("Ents", c.point);
  View()->SetScale(1);
  Drag(OnCanvas(to), OnCanvas(to));
  QTest::keyClick(ui.Grid("Names"), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Zoom, MapPointDragTest,
    ::testing::Values(
        PointDragCase{"At100", 1, {600, 740}, {20, 0}, {}, 3, {20, 0}},
        PointDragCase{"At200", 2, {600, 740}, {20, 10}, {}, 3, {10, 5}},
        PointDragCase{"At50", 0.5, {600, 740}, {8, -6}, {}, 3, {16, -12}},
        PointDragCase{"At400ShiftKeepsZ", 4, {640, 740}, {40, 12}, Qt::ShiftModifier, 4, {10, 0}},
        PointDragCase{"CtrlTakesPointOne", 1, {600, 700}, {0, 20}, Qt::ControlModifier, 1, {0, 20}},
        PointDragCase{
            "CtrlTakesPointTwo", 2, {640, 700}, {-20, 0}, Qt::ControlModifier, 2, {-10, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// The disc of the current object and point 1 of another selected one both move the selection.
TEST_F(MapWorkspaceTest, DraggingASelectedObjectMovesEverySelectedObject) {
  const auto objects = [this] {
    return MakeDocument({Triangle(), MakeObject("b", {At(700, 700)}),
                         MakeObject("c", {At(800, 700), At(800, 720)})});
  };
  ui.Load(ui.WriteFile("three.pathset", objects()));
  ui.ClickRow("Names", 1);
  ui.form().Model().SelectObjects({1, 3}, 1);
  tHeader expected = objects();
  const Vec3 by{10 * static_cast<long double>(t.unitsPerPixelX), 0,
                -20 * static_cast<long double>(t.unitsPerPixelZ)};
  for (int n : {1, 3}) ShiftPointsBy(expected.Object(n), by);
  for (const QPoint grab : {QPoint(600, 700), QPoint(800, 700)}) {
    Drag(OnCanvas(grab), OnCanvas(grab + QPoint(10, -20)));
    EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(expected)) << grab.x();
    EXPECT_EQ(ui.UndoSteps(), 1);
    ui.Click("UndoButton");
    EXPECT_EQ(ui.form().Model().Selected().objects, (std::vector<int>{1, 3}));
  }
}

// Insert after the current point (Insert: halfway; Alt+click: where clicked) and delete it, within
// 1 to 256 points.
TEST_F(MapWorkspaceTest, InsertAndDeletePointsWithKeysAndAltClick) {
  LoadAndSelect({MakeObject("two", {At(600, 700), At(640, 700)}), Triangle()});
  ui.ClickRow("Ents", 1);
  ui.Grid("Names")->setFocus();
  QTest::keyClick(ui.Grid("Names"), Qt::Key_Insert);
  EXPECT_EQ(ui.doc().Object(1).pointCount, 3u);
  const long double halfway = (static_cast<long double>(At(600, 700).x) + At(640, 700).x) / 2;
  EXPECT_EQ(ui.doc().Object(1).Point(2).x, static_cast<float>(halfway));
  EXPECT_EQ(ui.Grid("Ents")->Row(), 2);
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, OnCanvas({610, 650}), Qt::AltModifier);
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, OnCanvas({610, 650}), Qt::AltModifier);
  ASSERT_EQ(ui.doc().Object(1).pointCount, 4u);
  EXPECT_EQ(ui.doc().Object(1).Point(3).z, At(610, 650).z) << "where clicked, after point 2";
  EXPECT_EQ(ui.Grid("Ents")->Row(), 3);
  for (int left : {3, 2, 1}) {
    QTest::keyClick(ui.Grid("Names"), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(ui.doc().Object(1).pointCount, unsigned(left));
  }
  EXPECT_FALSE(ui.form().findChild<QAction*>(QStringLiteral("actionDeletePoint"))->isEnabled())
      << "the only point stays";
  EXPECT_EQ(ui.UndoSteps(), 5);
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
}

TEST_F(MapWorkspaceTest, AtTwoHundredFiftySixPointsNothingIsInserted) {
  tDesc full = MakeObject("full", {At(600, 700)});
  for (int k = 2; k <= kMaxPoints; ++k) full.Point(k) = At(600, 700);
  full.pointCount = kMaxPoints;
  LoadAndSelect({full});
  EXPECT_FALSE(ui.form().findChild<QAction*>(QStringLiteral("actionInsertPoint"))->isEnabled());
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, OnCanvas({610, 650}), Qt::AltModifier);
  Mouse(QEvent::MouseButtonRelease, Qt::LeftButton, OnCanvas({610, 650}), Qt::AltModifier);
  EXPECT_EQ(ui.doc().Object(1).pointCount, unsigned(kMaxPoints));
  EXPECT_EQ(ui.dialogs().errors.size(), 1) << "the map's insert says why it cannot";
}

}  // namespace
}  // namespace qarn::testing
