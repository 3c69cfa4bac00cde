// Every control at its designed place, the tab order, and the resizing rule.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QScrollArea>

#include "form_driver.h"

namespace qarn::testing {
namespace {

struct Place {
  const char* name;
  int left, top, width, height;
};

class LayoutTest : public ::testing::TestWithParam<Place> {
 protected:
  static FormDriver* ui;
  static void SetUpTestSuite() { ui = new FormDriver(); }
  static void TearDownTestSuite() { delete ui; }
};
FormDriver* LayoutTest::ui = nullptr;

TEST_P(LayoutTest, ControlSitsAtItsDesignedPlace) {
  const Place& p = GetParam();
  auto* widget = ui->form().findChild<QWidget*>(QString::fromLatin1(p.name));
  ASSERT_NE(widget, nullptr) << p.name;
  EXPECT_EQ(widget->geometry(), QRect(p.left, p.top, p.width, p.height)) << p.name;
}

INSTANTIATE_TEST_SUITE_P(
    Window, LayoutTest,
    ::testing::Values(Place{"Panel1", 0, 532, 792, 41}, Place{"RightColumn", 423, 0, 369, 532},
                      Place{"Panel2", 0, 0, 369, 532},
                      Place{"ScrollBox1", 0, 0, 423, 532}, Place{"Panel4", 1, 1, 367, 245},
                      Place{"Panel5", 1, 1, 159, 243}, Place{"Image2", 0, 0, 159, 151},
                      Place{"Names", 160, 1, 206, 243}, Place{"Panel3", 1, 246, 367, 230},
                      Place{"Ents", 1, 476, 367, 55}, Place{"LoadButton", 11, 7, 75, 25},
                      Place{"Button1", 121, 7, 75, 25}, Place{"Button2", 276, 7, 75, 25},
                      Place{"Button3", 441, 7, 75, 25}, Place{"Image1", -505, -525, 1280, 1600},
                      Place{"DTyp", 5, 5, 191, 21}, Place{"SpeedButton1", 205, 5, 23, 22},
                      Place{"SpeedButton7", 340, 5, 23, 22}, Place{"SpeedButton21", 4, 25, 23, 22},
                      Place{"nwButton", 35, 45, 23, 22}, Place{"seButton", 85, 95, 23, 22},
                      Place{"mEdit", 58, 69, 26, 21}, Place{"UpButton", 120, 55, 23, 22},
                      Place{"rotOkButton", 220, 65, 23, 22}, Place{"Rotation", 195, 65, 26, 21},
                      Place{"Lenge", 195, 85, 46, 21}, Place{"xEdit", 70, 130, 56, 21},
                      Place{"zEdit", 200, 130, 56, 21}, Place{"SpeedButton4", 270, 130, 23, 22},
                      Place{"dyEdit", 135, 155, 56, 21}, Place{"SpeedButton17", 10, 200, 23, 22},
                      Place{"XLenge", 110, 182, 46, 21}, Place{"XRotation", 155, 182, 26, 21},
                      Place{"XdzEdit", 162, 205, 40, 21}, Place{"SpeedButton20", 203, 205, 23, 22},
                      Place{"c1", 300, 55, 16, 17}, Place{"c4", 345, 55, 16, 17},
                      Place{"c5", 300, 70, 16, 17}, Place{"c16", 345, 100, 16, 17},
                      Place{"c17", 300, 120, 16, 17}, Place{"c32", 345, 165, 16, 17},
                      Place{"HexTyp", 300, 182, 65, 21}, Place{"HexEdit", 260, 205, 66, 21},
                      Place{"SpeedButton18", 330, 205, 23, 22}));

// Extra height goes half to the object list, half to the point list.
TEST(LayoutRulesTest, ResizingChangesTheMapAreaAndBothLists) {
  FormDriver ui;
  ui.form().resize(1000, 700 + ui.MenuBarHeight());
  auto* scroll = ui.form().findChild<QWidget*>(QStringLiteral("ScrollBox1"));
  EXPECT_EQ(scroll->size(), QSize(631, 659));
  EXPECT_EQ(ui.Grid("Ents")->size(), QSize(367, 119));
  EXPECT_EQ(ui.Grid("Names")->size(), QSize(206, 306));
  EXPECT_EQ(ui.form().findChild<QWidget*>(QStringLiteral("Panel3"))->size(), QSize(367, 230));
}

TEST(LayoutRulesTest, CaptionsListsAndHiddenCalibration) {
  FormDriver ui;
  EXPECT_EQ(ui.form().findChild<QPushButton*>("LoadButton")->text(), QStringLiteral("Load..."));
  EXPECT_EQ(ui.form().findChild<QPushButton*>("Button2")->text(), QStringLiteral("Merge ..."));
  auto* types = ui.form().findChild<QComboBox*>(QStringLiteral("DTyp"));
  EXPECT_EQ(types->count(), 287);
  EXPECT_EQ(types->currentText(), QStringLiteral("Select?"));
  EXPECT_EQ(types->itemText(0), QStringLiteral("sp_jumptrailer_f"));
  auto* flags = ui.form().findChild<QComboBox*>(QStringLiteral("HexTyp"));
  EXPECT_EQ(flags->count(), 15);
  EXPECT_EQ(flags->currentText(), QStringLiteral("Flags?"));
  EXPECT_EQ(ui.FieldText("mEdit"), QStringLiteral("1"));
  for (const char* hidden : {"Label1", "SpeedButton9", "SpeedButton16"}) {
    EXPECT_FALSE(ui.form().findChild<QWidget*>(QString::fromLatin1(hidden))->isVisible()) << hidden;
  }
  EXPECT_EQ(ui.Grid("Names")->ColWidths(1), 192);
}

TEST(LayoutRulesTest, TabOrderFollowsTheDesign) {
  FormDriver ui;
  // From each start, the controls Tab reaches next; the zoom box where it stands on the bar.
  const std::pair<QString, QStringList> runs[] = {
      {"Rotation", {"HexTyp", "c17", "c18", "c20", "c19", "c21"}},
      {"Button2", {"ZoomBox", "Button3", "DTyp", "xEdit"}}};
  for (const auto& [start, expected] : runs) {
    QWidget* w = ui.form().findChild<QWidget*>(start);
    for (const QString& name : expected) {
      w = w->nextInFocusChain();
      // Skip what takes no focus and the unnamed inner parts of combo boxes.
      while (w->focusPolicy() == Qt::NoFocus || !w->isVisible() || w->objectName().isEmpty()) {
        w = w->nextInFocusChain();
      }
      EXPECT_EQ(w->objectName(), name) << "after " << start.toStdString();
    }
  }
}

TEST(LayoutRulesTest, CalibrationButtonsShiftTheMarksAndShowTheValue) {
  FormDriver ui;
  ui.Load(ui.WriteFile("one.pathset", MakeDocument({MakeObject("a", {P(0, 0, 0)})})));
  auto* label = ui.form().findChild<QLabel*>(QStringLiteral("Label3"));
  EXPECT_EQ(label->text(), QStringLiteral("1008,00"));
  ui.Click("SpeedButton11");
  EXPECT_EQ(label->text(), QStringLiteral("1009,00"));
  EXPECT_EQ(ui.form().MapImage().pixelColor(1011, 942), QColor(0, 0, 0)) << "square moved right";
  EXPECT_NE(ui.form().MapImage().pixelColor(1006, 942), QColor(0, 0, 0));
}

}  // namespace
}  // namespace qarn::testing
