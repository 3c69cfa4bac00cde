// Picking objects and points from the lists: the point list, the fields, the check boxes, the
// marks on the map.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QHeaderView>
#include <QScreen>
#include <utility>

#include "document/path_set_codec.h"
#include "form_driver.h"
#include "window/map_canvas.h"

namespace qarn::testing {
namespace {

class ListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = MakeDocument(
        {MakeObject("none", {}), MakeObject("one", {P(0, 0, 0, 0x80000001u)}),
         MakeObject("three", {P(1, 2, 3, 0xFFFFFFFFu), P(2, 2, 3), P(5, 0, 9)}),
         MakeObject("four", {P(0, 0, 0, 0x7317), P(0, 0, 10), P(20, 0, 0), P(20, 0, 10)})});
    ui.Load(ui.WriteFile("lists.pathset", doc));
    ASSERT_TRUE(ui.dialogs().errors.isEmpty());
  }
  FormDriver ui;
  tHeader doc;
};

TEST_F(ListsTest, PointListShowsEveryPointFormatted) {
  ui.ClickRow("Names", 3);
  tKvStringGrid* ents = ui.Grid("Ents");
  ASSERT_EQ(ents->RowCount(), 4);
  EXPECT_EQ(ents->GetCellDrawText(0, 1), QStringLiteral("1"));
  EXPECT_EQ(ents->GetCellDrawText(1, 1), QStringLiteral("1,00"));
  EXPECT_EQ(ents->GetCellDrawText(3, 3), QStringLiteral("9,00"));
  EXPECT_EQ(ents->GetCellDrawText(4, 1), QStringLiteral("FFFFFFFF"));
  EXPECT_EQ(ents->GetCellDrawText(4, 2), QStringLiteral("00000000"));
}

TEST_F(ListsTest, RefreshFillsFieldsFromTheFirstPoints) {
  ui.ClickRow("Names", 4);
  EXPECT_EQ(ui.Float("xEdit")->Value(), 0);
  EXPECT_EQ(ui.Float("dzEdit")->Value(), 10);
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 90);
  EXPECT_EQ(ui.Float("Lenge")->Value(), 10);
  EXPECT_EQ(ui.Float("XdxEdit")->Value(), 20);
  EXPECT_EQ(ui.Float("XLenge")->Value(), 20);
  EXPECT_EQ(ui.Integer("XRotation")->Value(), 0);
  EXPECT_EQ(ui.FieldText("HexEdit"), QStringLiteral("00007317"));
  EXPECT_EQ(QApplication::focusWidget(), ui.Grid("Names"));
}

TEST_F(ListsTest, ThreePointsLeaveTheRowFieldsAtZeroAndXRotationAlone) {
  ui.ClickRow("Names", 4);
  ui.ClickRow("Names", 3);
  EXPECT_EQ(ui.Float("dxEdit")->Value(), 1);
  EXPECT_EQ(ui.Float("XdxEdit")->Value(), 0);
  EXPECT_EQ(ui.Float("XLenge")->Value(), 0);
  EXPECT_EQ(ui.Integer("XRotation")->Value(), 0);
}

TEST_F(ListsTest, CheckBoxesShowBit31InC1DownToBit0InC32) {
  ui.ClickRow("Names", 2);
  for (int n = 1; n <= 32; ++n) {
    EXPECT_EQ(ui.Box(n)->isChecked(), n == 1 || n == 32) << "c" << n;
  }
  EXPECT_EQ(ui.FieldText("HexEdit"), QStringLiteral("80000001"));
}

TEST_F(ListsTest, ObjectWithoutPointsKeepsFlagsAndAnglesButZeroesOffsets) {
  ui.ClickRow("Names", 4);
  ui.ClickRow("Names", 1);
  EXPECT_EQ(ui.Grid("Ents")->RowCount(), 1);
  EXPECT_EQ(ui.Float("dzEdit")->Value(), 0);
  EXPECT_EQ(ui.Integer("Rotation")->Value(), 90);
  EXPECT_EQ(ui.FieldText("HexEdit"), QStringLiteral("00007317"));
  EXPECT_EQ(ui.form().MapImage(), MapPicture::BuiltInMap()) << "no marks at all";
}

TEST_F(ListsTest, SelectedObjectGetsDiscLineAndCrosses) {
  ui.ClickRow("Names", 4);
  const QImage& map = ui.form().MapImage();
  EXPECT_EQ(map.pixelColor(1006, 940), QColor(255, 0, 0)) << "disc at point 1";
  EXPECT_EQ(map.pixelColor(1008, 945), QColor(0, 0, 0)) << "direction line towards point 2";
  // Point 4 at (20, 0, 10) is at pixel (1015, 943) (rounded): a cross, its centre black.
  const QPoint p4 = ui.form().Transform().PixelOf(20, 10);
  EXPECT_EQ(map.pixelColor(p4), QColor(0, 0, 0));
}

TEST_F(ListsTest, PointRowClickAddsARedDisc) {
  ui.ClickRow("Names", 4);
  ui.ClickRow("Ents", 3);
  const QPoint p3 = ui.form().Transform().PixelOf(20, 0);
  EXPECT_EQ(ui.form().MapImage().pixelColor(p3), QColor(255, 0, 0));
}

TEST_F(ListsTest, PointsButtonBringsBackAllSquares) {
  ui.ClickRow("Names", 4);
  ui.Click("Button3");
  ui.ClickRow("Names", 4);
  ui.Click("Button3");
  EXPECT_NE(ui.form().MapImage().pixelColor(1008, 940), QColor(255, 0, 0));
  EXPECT_EQ(ui.form().MapImage().pixelColor(1006, 938), QColor(0, 0, 0));
}

TEST_F(ListsTest, KeysMoveTheSelectionWithARefresh) {
  ui.ClickRow("Names", 4);
  QTest::keyClick(ui.Grid("Names"), Qt::Key_Down);  // wraps to the first object
  EXPECT_EQ(ui.Grid("Names")->Row(), 1);
  EXPECT_EQ(ui.Grid("Ents")->RowCount(), 1);
}

TEST_F(ListsTest, ArrowKeysInThePointListStayThere) {
  ui.ClickRow("Names", 4);
  ui.Grid("Ents")->setFocus();
  QTest::keyClick(ui.Grid("Ents"), Qt::Key_Down);
  QTest::keyClick(ui.Grid("Ents"), Qt::Key_Down);
  EXPECT_EQ(ui.Grid("Ents")->Row(), 3);
  EXPECT_TRUE(ui.Grid("Ents")->hasFocus());
  EXPECT_EQ(ui.Grid("Names")->Row(), 4) << "no arrow key reached the object list";
}

TEST_F(ListsTest, SpaceTogglesTheFocusedBoxAndKeepsItThereWithThePointerOnTheMap) {
  ui.ClickRow("Names", 4);
  auto* map = ui.form().findChild<MapCanvas*>(QStringLiteral("Image1"));
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), map->mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(map, &enter);  // the map now watches Space for panning
  QCheckBox* box = ui.Box(17);           // bit 15
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_FALSE(map->SpaceHeld());
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(box->hasFocus()) << "the next flag is a Tab away";
  EXPECT_EQ(ui.doc().Object(4).Point(1).flags, 0xF317u);
  QTest::keyClick(box, Qt::Key_Space);
  EXPECT_EQ(ui.doc().Object(4).Point(1).flags, 0x7317u);
}

TEST(EmptyListTest, ClickOnTheDesignedEmptyRowReportsAndLeavesTheRefreshGuardDown) {
  FormDriver fresh;
  fresh.ClickRow("Names", 1);
  EXPECT_EQ(fresh.dialogs().errors.size(), 1);
  EXPECT_EQ(fresh.form().RefreshDepth(), 0);
  fresh.ClickRow("Names", 1);
  EXPECT_EQ(fresh.dialogs().errors.size(), 2) << "every click reports, none is swallowed";
}

TEST_F(ListsTest, MapPickWritesWorldPositionIntoXAndZ) {
  auto* map = ui.form().findChild<QWidget*>(QStringLiteral("Image1"));
  ui.Type("yEdit", QStringLiteral("7"));
  QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(1009, 941));
  EXPECT_EQ(static_cast<float>(ui.Float("xEdit")->Value()), 2.82f);
  EXPECT_EQ(static_cast<float>(ui.Float("zEdit")->Value()), 3.04f);
  EXPECT_EQ(ui.Float("yEdit")->Value(), 7) << "height untouched";
  QTest::mouseClick(map, Qt::LeftButton, {}, QPoint(1008, 940));
  EXPECT_EQ(ui.Float("xEdit")->Value(), 0);
}

// What the screen shows of a widget, and the widget painted anew.
std::pair<QImage, QImage> ShownAndFresh(FormDriver& ui, QWidget* widget) {
  QCoreApplication::processEvents();
  const QRect onWindow(widget->mapTo(&ui.form(), QPoint(0, 0)), widget->size());
  const QImage shown = ui.form().screen()->grabWindow(ui.form().winId()).toImage().copy(onWindow);
  return {shown.convertToFormat(QImage::Format_RGB32),
          widget->grab().toImage().convertToFormat(QImage::Format_RGB32)};
}

// A command that keeps the list's length still shows the row number it gives the first object:
// what the screen shows equals the list painted anew.
TEST(ListRepaintTest, TheFirstObjectOfAnEmptyDocumentShowsItsNumberAtOnce) {
  FormDriver ui;
  ui.ClickRow("Names", 1);  // the empty row
  QCoreApplication::processEvents();
  ui.Click("SpeedButton1");
  const auto [shown, fresh] = ShownAndFresh(ui, ui.Grid("Names")->verticalHeader());
  EXPECT_EQ(shown, fresh);
}

// Another object with as many points keeps the point list's length, and only the cells whose
// text differs are painted again: the list on screen shows the new object's points.
TEST(ListRepaintTest, AnObjectWithAsManyPointsShowsItsOwnPoints) {
  FormDriver ui;
  ui.Load(ui.WriteFile("same.pathset",
                       MakeDocument({MakeObject("a", {P(1, 2, 3), P(2, 2, 3), P(4, 4, 4)}),
                                     MakeObject("b", {P(1, 5, 3), P(7, 2, 3), P(4, 4, 4)})})));
  ui.ClickRow("Names", 1);
  for (int round = 0; round < 5; ++round) QCoreApplication::processEvents();  // laid out, shown
  QTest::keyClick(ui.Grid("Names"), Qt::Key_Down);
  const auto [shown, fresh] = ShownAndFresh(ui, ui.Grid("Ents"));
  EXPECT_EQ(shown, fresh);
}

}  // namespace
}  // namespace qarn::testing
