// Several objects selected in the object list: the commands act on each as they would alone, as
// one undo step.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>

#include "form_driver.h"

namespace qarn::testing {
namespace {

tHeader FourObjects() {
  return MakeDocument({MakeObject("a", {P(0, 0, 0), P(10, 0, 0)}),
                       MakeObject("b", {P(50, 1, 50, 0x3)}),
                       MakeObject("c", {P(90, 2, 90), P(95, 2, 90), P(99, 2, 99)}),
                       MakeObject("d", {P(-30, 0, 40)})});
}

class SelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.Load(ui.WriteFile("four.pathset", FourObjects()));
    ui.ClickRow("Names", 1);
  }
  void CtrlClickRow(int row) {
    tKvStringGrid* names = ui.Grid("Names");
    const QRect cell = names->visualRect(names->model()->index(row - 1, 0));
    QTest::mouseClick(names->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
  }
  void PressInList(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    ui.Grid("Names")->setFocus();
    QTest::keyClick(ui.Grid("Names"), key, modifiers);
  }
  FormDriver ui;
};

// The same bytes as moving each of them alone, and one step takes them all back.
TEST_F(SelectionTest, MoveActsOnEverySelectedObjectAsOneStep) {
  const std::vector<uint8_t> before = ui.DocumentBytes();
  for (int row : {1, 3}) {
    ui.ClickRow("Names", row);
    ui.Click("eButton");
  }
  const std::vector<uint8_t> alone = ui.DocumentBytes();
  ui.Click("UndoButton");
  ui.Click("UndoButton");
  ui.ClickRow("Names", 1);
  CtrlClickRow(3);
  EXPECT_EQ(ui.form().Model().Selected().objects, (std::vector<int>{1, 3}));
  PressInList(Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(ui.DocumentBytes(), alone);
  EXPECT_EQ(ui.form().UndoStack().index(), 1);
  ui.Click("UndoButton");
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(ui.form().Model().Selected().objects, (std::vector<int>{1, 3}));
}

TEST_F(SelectionTest, TypeAndFlagsGoToEverySelectedObject) {
  CtrlClickRow(2);
  CtrlClickRow(4);
  ui.ChooseType(QStringLiteral("giz_bridge01_l"));
  ui.ChooseFlags(QStringLiteral("0082"));
  const QStringList names = ui.Column("Names", 1);
  EXPECT_EQ(names, QStringList({"giz_bridge01_l", "giz_bridge01_l", "c", "giz_bridge01_l"}));
  EXPECT_EQ(ui.doc().Object(4).Point(1).flags, 0x82u);
  EXPECT_EQ(ui.doc().Object(3).Point(1).flags, 0u);
  EXPECT_EQ(ui.UndoSteps(), 2);
}

TEST_F(SelectionTest, DeleteAndCopyTakeTheWholeSelection) {
  PressInList(Qt::Key_Down, Qt::ShiftModifier);
  PressInList(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(ui.form().Model().Selected().objects, (std::vector<int>{1, 2, 3}));
  PressInList(Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("\"c\"")));
  PressInList(Qt::Key_Delete, {});
  EXPECT_EQ(ui.Column("Names", 1), QStringList({"d"}));
  PressInList(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(ui.Column("Names", 1), QStringList({"d", "a", "b", "c"}));
  EXPECT_EQ(ui.form().Model().Selected().objects, (std::vector<int>{2, 3, 4})) << "the pasted";
  PressInList(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(ui.form().Model().Selected().objects.size(), 4u);
  PressInList(Qt::Key_Delete, {});
  EXPECT_EQ(ui.doc().objectCount, 1u) << "the only object stays";
}

// Each turned as it would be alone, from its own lengths and angles, not the current object's.
TEST_F(SelectionTest, TurnStepsActOnEachAsAlone) {
  for (int row : {1, 3}) {
    ui.ClickRow("Names", row);
    ui.Click("rotRightButton");
    ui.Click("XrotLeftButton2");
  }
  const std::vector<uint8_t> alone = ui.DocumentBytes();
  const int32_t rotation = ui.Integer("Rotation")->Value();
  for (int i = 0; i < 4; ++i) ui.Click("UndoButton");
  ui.ClickRow("Names", 1);
  CtrlClickRow(3);
  ui.Click("rotRightButton");
  ui.Click("XrotLeftButton2");
  EXPECT_EQ(ui.DocumentBytes(), alone);
  EXPECT_EQ(ui.Integer("Rotation")->Value(), rotation) << "the fields show the current object";
  EXPECT_EQ(ui.form().UndoStack().index(), 2);
}

TEST_F(SelectionTest, AddACopyCopiesEachAfterItselfAndSelectsTheCopies) {
  CtrlClickRow(3);
  ui.Click("SpeedButton1");
  EXPECT_EQ(ui.Column("Names", 1), QStringList({"a", "a", "b", "c", "c", "d"}));
  EXPECT_EQ(ui.form().Model().Selected().objects, (std::vector<int>{2, 5}));
  EXPECT_EQ(ui.form().Model().CurrentObjectNumber(), 5);
  EXPECT_EQ(ui.UndoSteps(), 1);
}

}  // namespace
}  // namespace qarn::testing
