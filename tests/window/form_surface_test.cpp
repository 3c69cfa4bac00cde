// What the window shows and how it takes typing: fields show the start of their text, a type
// name can be typed letter by letter, the lists ignore typed letters and show long names, the
// status line shows whole numbers, refused flag clicks show the stored flags again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>

#include "form_driver.h"
#include "window/number_text.h"
#include "window/status_line.h"

namespace qarn::testing {
namespace {

const std::string kLongName = "abcdefghijklmnopqrstuvwxyz_01234";

class SurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Point 2 lies 41.76122604 from point 1: texts longer than their fields.
    ui.Load(ui.WriteFile(
        "surface.pathset",
        MakeDocument({MakeObject("giz_bridge01_l", {P(-2842.560059f, 12.5f, -1237.600098f),
                                                    P(-2800.79883f, 12.5f, -1237.600098f)}),
                      MakeObject(kLongName, {P(1, 0, 1), P(2, 0, 2), P(3, 0, 3)}),
                      MakeObject("zero", {P(0, 0, 0)})})));
    ASSERT_TRUE(ui.dialogs().errors.isEmpty());
  }
  QComboBox* Box(const char* name) { return ui.form().findChild<QComboBox*>(name); }
  StatusLine* Status() { return ui.form().findChild<StatusLine*>(QStringLiteral("StatusLabel")); }
  // Moves the pointer onto a map pixel, from elsewhere so that the move is never skipped.
  void PointAt(QPoint pixel) {
    QTest::mouseMove(Map(), pixel + QPoint(3, 3));
    QTest::mouseMove(Map(), pixel);
  }
  QWidget* Map() { return ui.form().findChild<QWidget*>(QStringLiteral("Image1")); }
  // Types into a box key by key, the event loop turning after each key as it does for a user.
  void TypeKeys(QComboBox* box, const QString& keys) {
    box->setFocus();
    box->lineEdit()->selectAll();
    for (const QChar key : keys) {
      QTest::keyClicks(box, QString(key));
      QCoreApplication::processEvents();
    }
  }
  FormDriver ui;
};

// --- fields show the start of their text

class FieldStartTest : public SurfaceTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FieldStartTest, TheSignAndLeadingDigitsAreInViewAfterARefresh) {
  ui.ClickRow("Names", 1);
  QLineEdit* field = ui.Line(QString::fromLatin1(GetParam()));
  ASSERT_GT(field->fontMetrics().horizontalAdvance(field->text()), field->width())
      << field->text().toStdString() << ": too short to test";
  field->grab();  // a paint places the text as the field shows it
  EXPECT_EQ(field->cursorPosition(), 0);
  EXPECT_FALSE(field->hasSelectedText());
  // The cursor's rectangle is centred on the cursor, here the left edge of the first character.
  const int left = field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
  const int right = left + field->fontMetrics().horizontalAdvance(field->text()[0]);
  EXPECT_GE(left, 0);
  EXPECT_LT(right, field->width()) << "the first character lies inside the field";
}

INSTANTIATE_TEST_SUITE_P(Fields, FieldStartTest,
                         ::testing::Values("xEdit", "zEdit", "dxEdit", "Lenge"));

TEST_F(SurfaceTest, AMapPickShowsTheStartOfBothFields) {
  QTest::mouseClick(Map(), Qt::LeftButton, {}, QPoint(507, 1005));
  for (const char* name : {"xEdit", "zEdit"}) {
    QLineEdit* field = ui.Line(QString::fromLatin1(name));
    EXPECT_EQ(field->cursorPosition(), 0) << name;
  }
  EXPECT_TRUE(ui.FieldText("xEdit").startsWith('-'));
}

// --- typing a type name

TEST_F(SurfaceTest, TypingANameRenamesAtOnceKeepsTheFocusAndUndoesInOneStep) {
  ui.ClickRow("Names", 1);
  QComboBox* box = Box("DTyp");
  const std::vector<uint8_t> before = ui.DocumentBytes();
  box->setFocus();
  box->lineEdit()->selectAll();
  const QStringList steps = {"x", "xs", "xsb"};
  for (const QString& step : steps) {
    QTest::keyClicks(box, step.right(1));
    QCoreApplication::processEvents();
    EXPECT_EQ(ui.doc().Object(1).DisplayName(), step.toStdString());
    EXPECT_TRUE(box->hasFocus());
  }
  EXPECT_EQ(ui.Grid("Names")->Row(), 1);
  EXPECT_EQ(ui.doc().Object(2).DisplayName(), kLongName);
  EXPECT_EQ(ui.UndoSteps(), 1);
  ui.Click("UndoButton");
  EXPECT_EQ(ui.DocumentBytes(), before);
}

TEST_F(SurfaceTest, ANewVisitToTheBoxIsANewUndoStepAndAPickMovesTheFocus) {
  ui.ClickRow("Names", 3);
  TypeKeys(Box("DTyp"), QStringLiteral("ab"));
  ui.ClickRow("Names", 3);  // the focus goes to the list and comes back
  Box("DTyp")->setFocus();
  Box("DTyp")->lineEdit()->end(false);
  QTest::keyClicks(Box("DTyp"), QStringLiteral("c"));
  QCoreApplication::processEvents();
  EXPECT_EQ(ui.doc().Object(3).DisplayName(), "abc");
  EXPECT_EQ(ui.UndoSteps(), 2);
  ui.ChooseType(QStringLiteral("giz_bridge02_l"));
  EXPECT_EQ(ui.doc().Object(3).DisplayName(), "giz_bridge02_l");
  EXPECT_EQ(ui.UndoSteps(), 3);
  EXPECT_EQ(QApplication::focusWidget(), ui.Grid("Names"));
}

TEST_F(SurfaceTest, TypedFlagsApplyAsTheyAreTyped) {
  ui.ClickRow("Names", 2);
  TypeKeys(Box("HexTyp"), QStringLiteral("7317"));
  EXPECT_EQ(ui.doc().Object(2).Point(3).flags, 0x7317u);
  EXPECT_TRUE(Box("HexTyp")->hasFocus());
  EXPECT_EQ(ui.UndoSteps(), 1);
}

TEST_F(SurfaceTest, AnEmojiIsOneCharacterInNamesAndFlags) {
  ui.ClickRow("Names", 3);
  ui.PasteType(
      QString::fromUtf8("a\xf0\x9f\x98\x80"
                        "b"));
  EXPECT_EQ(ui.doc().Object(3).DisplayName(), "a?b");
  QLineEdit* hex = ui.Line(QStringLiteral("HexEdit"));
  hex->setFocus();
  hex->selectAll();
  hex->insert(QString::fromUtf8("1\xf0\x9f\x98\x80"));  // as a paste: no key types an emoji
  ui.Click("SpeedButton18");
  EXPECT_EQ(ui.doc().Object(3).Point(1).flags, 0x10u) << "one digit 0 for the emoji, not two";
}

// --- lists

TEST_F(SurfaceTest, ALongNameHasItsTooltipAndTheListScrollsSideways) {
  tKvStringGrid* names = ui.Grid("Names");
  const QModelIndex cell = names->model()->index(1, 0);
  EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(),
            QString::fromStdString(kLongName) + QStringLiteral("\nObject 2, 3 points"));
  EXPECT_EQ(names->model()->index(2, 0).data(Qt::ToolTipRole).toString(),
            QStringLiteral("zero\nObject 3, 1 point"));
  const int needed = names->fontMetrics().horizontalAdvance(QString::fromStdString(kLongName)) + 4;
  EXPECT_GE(names->ColWidths(1), std::max(needed, 192));
  EXPECT_TRUE(QTest::qWaitFor([&] { return names->horizontalScrollBar()->maximum() > 0; }));
  EXPECT_TRUE(names->horizontalScrollBar()->isVisible());
  ui.ClickRow("Names", 2);
  ui.PasteType(QStringLiteral("short"));
  EXPECT_EQ(names->ColWidths(1), 192) << "the column narrows again";
}

// --- status line

TEST_F(SurfaceTest, TheStatusLineShowsFarPositionsWithoutGroupSeparators) {
  PointAt(QPoint(507, 1005));
  const float x = ui.form().Transform().MapToWorldX(507);
  const float z = ui.form().Transform().MapToWorldZ(1005);
  ASSERT_LT(x, -1000);
  const QString text = Status()->text();
  EXPECT_TRUE(text.contains(QStringLiteral("x ") + FixedTwoDecimals(x) + QStringLiteral(" ")))
      << text.toStdString();
  EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("x -1\\d\\d\\d,\\d\\d "))))
      << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral("z ") + FixedTwoDecimals(z))) << text.toStdString();
}

// The title names the file; a line too short for the name leaves it out rather than cut it.
TEST_F(SurfaceTest, ALongFileNameIsLeftOutAndThePositionStaysWhole) {
  const QString name =
      QStringLiteral("a_rather_long_file_name_for_a_path_set_that_goes_on_and_on.pathset");
  ui.Save(ui.TempPath(name));
  ui.Click("eButton");  // modified
  PointAt(QPoint(507, 1005));
  const QString text = Status()->text();
  EXPECT_TRUE(text.startsWith(QStringLiteral("x -1"))) << text.toStdString();
  EXPECT_TRUE(Status()->FullText().startsWith(name + QStringLiteral(" *   x ")));
  EXPECT_TRUE(Status()->FullText().endsWith(text));
}

// As the line narrows it leaves out the name, then the position; a drag's hint stays whole.
TEST_F(SurfaceTest, TheLineKeepsTheHintWholeThenThePositionThenTheName) {
  const QString farMove = QStringLiteral("move by x -1.234,56  z -1.234,56");
  Status()->Show(QStringLiteral("demo.pathset"), true, QPointF(-2842.56, -1234.5), farMove);
  EXPECT_TRUE(Status()->text().startsWith(farMove)) << "whole at the designed width";
  const QString hint = QStringLiteral("move by x 112,80 z -45,25");
  Status()->Show(QStringLiteral("demo.pathset"), true, QPointF(-2842.56, -1234.5), hint);
  const QString withoutName = hint + QStringLiteral("   x -2842,56  z -1234,50");
  ASSERT_EQ(Status()->FullText(), QStringLiteral("demo.pathset *   ") + withoutName);
  const auto widthFor = [&](const QString& text) {
    return Status()->fontMetrics().horizontalAdvance(text) + 2;
  };
  for (const QString& shown : {Status()->FullText(), withoutName, hint}) {
    Status()->resize(widthFor(shown), Status()->height());
    EXPECT_EQ(Status()->text(), shown);
  }
  Status()->resize(widthFor(hint) / 2, Status()->height());
  EXPECT_TRUE(Status()->text().endsWith(QChar(0x2026))) << "only a hint too long is cut";
}

TEST_F(SurfaceTest, AControlAtTheBarsRightEndShrinksTheStatusLine) {
  QWidget* bar = ui.form().findChild<QWidget*>(QStringLiteral("Panel1"));
  const int fullRight = Status()->geometry().right();
  EXPECT_GE(fullRight, bar->width() - 10) << "the status line takes the rest of the bar";
  auto* zoom = new QWidget(bar);
  zoom->setGeometry(bar->width() - 100, 8, 90, 24);
  zoom->show();
  ui.form().resize(ui.form().width(), ui.form().height() + 1);
  EXPECT_LT(Status()->geometry().right(), zoom->x());
  EXPECT_GT(Status()->width(), 0);
}

// --- window size

TEST_F(SurfaceTest, AtItsMinimumSizeEveryPanelControlIsWhole) {
  ui.form().resize(100, 100);
  EXPECT_EQ(ui.form().size(), ui.form().minimumSize());
  // The right column scrolls in a low window; scrolled to the edit panel, it shows it whole.
  auto* column = ui.form().findChild<QScrollArea*>(QStringLiteral("RightColumn"));
  column->ensureWidgetVisible(ui.form().findChild<QWidget*>(QStringLiteral("Panel3")), 0, 0);
  for (const char* panelName : {"Panel1", "Panel3"}) {
    auto* panel = ui.form().findChild<QWidget*>(QString::fromLatin1(panelName));
    EXPECT_TRUE(ui.form().rect().contains(QRect(panel->mapTo(&ui.form(), QPoint()), panel->size())))
        << panelName;
    for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (child->isVisible()) {
        EXPECT_TRUE(panel->rect().contains(child->geometry())) << child->objectName().toStdString();
      }
    }
  }
  EXPECT_GE(ui.Grid("Ents")->height(), 2 * 18);
  PointAt(QPoint(507, 1005));
  EXPECT_TRUE(Status()->text().endsWith(Status()->FullText().section(QStringLiteral("   "), 1)))
      << "the position stays whole: " << Status()->text().toStdString();
}

// --- refused flag changes

TEST_F(SurfaceTest, ARefusedFlagChangeShowsTheStoredFlagsAgain) {
  ui.ClickRow("Names", 3);
  const std::vector<uint8_t> before = ui.DocumentBytes();
  ui.ClickBox(1);  // bit 31: more than the flag word takes
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_FALSE(ui.Box(1)->isChecked());
  EXPECT_EQ(ui.FieldText("HexEdit"), QStringLiteral("00000000"));
  QLineEdit* typed = Box("HexTyp")->lineEdit();
  typed->selectAll();
  typed->insert(QStringLiteral("90000000"));
  QCoreApplication::processEvents();
  ASSERT_EQ(ui.dialogs().errors.size(), 2);
  EXPECT_EQ(ui.FieldText("HexEdit"), QStringLiteral("00000000"));
  EXPECT_EQ(ui.DocumentBytes(), before);
}

}  // namespace
}  // namespace qarn::testing
