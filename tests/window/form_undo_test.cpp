// Undo and redo, the modified state and the questions before a document is replaced or closed.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QShortcut>
#include <cstring>
#include <random>

#include "form_driver.h"

namespace qarn::testing {
namespace {

class UndoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = ui.WriteFile("start.pathset",
                        MakeDocument({MakeObject("giz_bridge01_l", {P(0, 0, 0), P(10, 0, 0),
                                                                    P(0, 0, 20), P(10, 0, 20)}),
                                      MakeObject("str_bench_s", {P(100, 0, 100), P(110, 0, 100)}),
                                      MakeObject("sp_jumptrailer_f", {P(-50, 1, -50)})}));
    ui.Load(path);
    ui.ClickRow("Names", 1);
  }
  QString ButtonTip(const char* name) { return ui.form().findChild<QToolButton*>(name)->toolTip(); }
  // Every writer keeps them so; parsing relies on it.
  void ExpectSlotsBeyondTheCountsZero() {
    for (const auto& owned : ui.doc().records) {
      const tDesc& record = *owned;
      for (int k = static_cast<int>(record.pointCount) + 1; k <= kMaxPoints; ++k) {
        ASSERT_EQ(std::memcmp(&record.Point(k), &kZero, sizeof kZero), 0)
            << record.DisplayName() << " slot " << k;
      }
    }
  }

  FormDriver ui;
  QString path;
  static constexpr tPoint kZero{};
};

TEST_F(UndoTest, UndoRestoresBytesAndSelectionRedoRepeats) {
  const std::vector<uint8_t> start = ui.DocumentBytes();
  ui.Click("eButton");
  ui.ClickRow("Names", 2);
  ui.Click("SpeedButton2");  // delete object 2
  const std::vector<uint8_t> end = ui.DocumentBytes();
  ASSERT_EQ(ui.doc().objectCount, 2u);
  const QString redoKey = QKeySequence(QKeySequence::Redo).toString(QKeySequence::NativeText);
  EXPECT_EQ(ButtonTip("UndoButton"), QStringLiteral("Undo Delete object (Ctrl+Z)"));
  ui.Click("UndoButton");
  EXPECT_EQ(ui.doc().objectCount, 3u);
  EXPECT_EQ(ui.Grid("Names")->Row(), 2);
  ui.Click("UndoButton");
  EXPECT_EQ(ui.DocumentBytes(), start);
  EXPECT_EQ(ui.Grid("Names")->Row(), 1);
  EXPECT_EQ(ui.Float("xEdit")->Value(), 0) << "the fields follow the restored object";
  EXPECT_FALSE(ui.form().findChild<QToolButton*>("UndoButton")->isEnabled());
  EXPECT_EQ(ButtonTip("UndoButton"), QStringLiteral("Undo (Ctrl+Z)"));
  EXPECT_EQ(ButtonTip("RedoButton"), QStringLiteral("Redo Move points (%1)").arg(redoKey));
  ui.Click("RedoButton");
  ui.Click("RedoButton");
  EXPECT_EQ(ui.DocumentBytes(), end);
  EXPECT_FALSE(ui.form().findChild<QToolButton*>("RedoButton")->isEnabled());
}

// The type box shows the name the object has after an undo or redo of a typed rename, and
// showing it is no new rename: the redo stays.
TEST_F(UndoTest, AfterUndoingATypedRenameTheTypeBoxShowsTheName) {
  auto* box = ui.form().findChild<QComboBox*>(QStringLiteral("DTyp"));
  ui.PasteType(QStringLiteral("renamed_one"));
  ASSERT_EQ(ui.Column("Names", 1).first(), QStringLiteral("renamed_one"));
  ui.Click("UndoButton");
  QCoreApplication::processEvents();
  EXPECT_EQ(ui.Column("Names", 1).first(), QStringLiteral("giz_bridge01_l"));
  EXPECT_EQ(box->currentText(), QStringLiteral("giz_bridge01_l"));
  EXPECT_TRUE(ui.form().findChild<QToolButton*>("RedoButton")->isEnabled());
  ui.Click("RedoButton");
  QCoreApplication::processEvents();
  EXPECT_EQ(box->currentText(), QStringLiteral("renamed_one"));
}

TEST_F(UndoTest, ShortcutsUndoUnlessAnEditFieldHasTheFocus) {
  const std::vector<uint8_t> start = ui.DocumentBytes();
  ui.Click("eButton");
  ui.Type("mEdit", QStringLiteral("5"));
  QTest::keyClick(ui.Line("mEdit"), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_NE(ui.DocumentBytes(), start) << "the field undid its own typing";
  ui.Grid("Names")->setFocus();
  QTest::keyClick(ui.Grid("Names"), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(ui.DocumentBytes(), start);
}

TEST_F(UndoTest, ModifiedUntilSavedAndLoadStartsANewHistory) {
  EXPECT_FALSE(ui.form().IsModified());
  ui.Click("nButton");
  EXPECT_TRUE(ui.form().IsModified());
  ui.Save(ui.TempPath("saved.pathset"));
  EXPECT_FALSE(ui.form().IsModified());
  ui.Load(path);
  EXPECT_FALSE(ui.form().UndoStack().canUndo());
}

TEST_F(UndoTest, LoadAsksAboutChangesAndCancelKeepsEverything) {
  ui.Click("nButton");
  const std::vector<uint8_t> changed = ui.DocumentBytes();
  ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Cancel);
  ui.Click("LoadButton");  // no open dialog is shown after Cancel
  EXPECT_EQ(ui.dialogs().askedAbout, QStringList{QStringLiteral("start.pathset")});
  EXPECT_EQ(ui.DocumentBytes(), changed);
  EXPECT_TRUE(ui.form().IsModified());
}

TEST_F(UndoTest, LoadAfterDiscardReplacesTheDocument) {
  ui.Click("nButton");
  ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Discard);
  ui.Load(path);
  EXPECT_FALSE(ui.form().IsModified());
  EXPECT_EQ(ui.ReadBytes(path), ui.DocumentBytes());
}

TEST_F(UndoTest, SaveAnswerSavesFirstAndGoesOnOnlyWhenSaved) {
  ui.Click("nButton");
  const std::vector<uint8_t> changed = ui.DocumentBytes();
  ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Save);
  ui.dialogs().saveAnswers.push_back(ui.TempPath("no/folder/x.pathset"));  // fails
  ui.Click("LoadButton");
  EXPECT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_EQ(ui.DocumentBytes(), changed) << "a failed save stops the load";
  ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Save);
  ui.dialogs().saveAnswers.push_back(ui.TempPath("kept.pathset"));
  ui.Load(path);
  EXPECT_EQ(ui.ReadBytes(ui.TempPath("kept.pathset")), changed);
  EXPECT_EQ(ui.ReadBytes(path), ui.DocumentBytes());
}

TEST_F(UndoTest, CloseAsksOnlyWhenModified) {
  ui.Click("nButton");
  ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Cancel);
  EXPECT_FALSE(ui.form().close());
  EXPECT_TRUE(ui.form().isVisible());
  ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Discard);
  EXPECT_TRUE(ui.form().close());
  EXPECT_EQ(ui.dialogs().askedAbout.size(), 2);
  ui.form().show();
  ui.form().UndoStack().undo();  // back at the saved state: unmodified
  EXPECT_TRUE(ui.form().close()) << "unmodified: no question";
  EXPECT_EQ(ui.dialogs().askedAbout.size(), 2);
}

TEST_F(UndoTest, FailedCommandLeavesNoStepAndNothingChanged) {
  ui.ClickRow("Names", 3);   // one point
  ui.Click("SpeedButton8");  // extending needs two points: overflow
  EXPECT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_FALSE(ui.form().UndoStack().canUndo());
}

// Thousands of random commands, then undo all and redo all: the bytes of every step must come
// back exactly.
TEST_F(UndoTest, RandomCommandsUndoAndRedoExactly) {
  const QStringList buttons = {"nwButton",      "eButton",      "UpButton",       "SpeedButton8",
                               "SpeedButton17", "SpeedButton1", "SpeedButton2",   "SpeedButton3",
                               "SpeedButton6",  "SpeedButton7", "rotRightButton", "XrotLeftButton2",
                               "SpeedButton19", "SpeedButton5", "rotLeftButton2"};
  std::mt19937 random(20261208);
  UndoHistory& history = ui.form().UndoStack();
  std::vector<std::vector<uint8_t>> atIndex = {ui.DocumentBytes()};
  // After each action, which may be a step: a joined step keeps its index, whose document is then
  // the newest one.
  const auto note = [&] {
    atIndex.resize(static_cast<size_t>(history.index()) + 1);
    atIndex.back() = ui.DocumentBytes();
  };
  for (int i = 0; i < 2000; ++i) {
    const int objects = static_cast<int>(ui.doc().objectCount);
    if (objects > 0 && random() % 4 == 0)
      ui.ClickRow("Names", 1 + static_cast<int>(random() % objects));
    if (random() % 7 == 0) ui.ClickBox(17 + static_cast<int>(random() % 16));
    note();
    ui.Click(buttons[static_cast<int>(random() % buttons.size())]);
    note();
  }
  ExpectSlotsBeyondTheCountsZero();
  while (history.canUndo()) {
    history.undo();
    ASSERT_EQ(ui.DocumentBytes(), atIndex[static_cast<size_t>(history.index())])
        << "undone to step " << history.index();
  }
  ExpectSlotsBeyondTheCountsZero();
  while (history.canRedo()) {
    history.redo();
    ASSERT_EQ(ui.DocumentBytes(), atIndex[static_cast<size_t>(history.index())])
        << "redone to step " << history.index();
  }
}

}  // namespace
}  // namespace qarn::testing
