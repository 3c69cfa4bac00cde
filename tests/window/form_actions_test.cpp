// The commands as actions: each has a menu entry and keys of its own that work as a user presses
// them; the title, New, Revert and the panel after another file is loaded.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include "form_driver.h"
#include "window/map_view.h"

namespace qarn::testing {
namespace {

QList<QAction*> CommandActionsOf(QWidget& form) {
  QList<QAction*> actions;
  for (QAction* action : form.findChildren<QAction*>()) {
    if (action->objectName().startsWith(QStringLiteral("action"))) actions << action;
  }
  return actions;
}

void CollectMenuEntries(const QList<QAction*>& entries, QSet<QAction*>& found) {
  for (QAction* entry : entries) {
    found.insert(entry);
    if (entry->menu()) CollectMenuEntries(entry->menu()->actions(), found);
  }
}

TEST(ActionsTest, EveryCommandHasAMenuEntryAndKeysNoOtherCommandHas) {
  FormDriver ui;
  QSet<QAction*> inMenus;
  CollectMenuEntries(ui.form().findChild<QMenuBar*>(QStringLiteral("MenuBar"))->actions(), inMenus);
  QHash<QKeySequence, QString> owner;
  const QList<QAction*> actions = CommandActionsOf(ui.form());
  EXPECT_GE(actions.size(), 45);
  for (QAction* action : actions) {
    const std::string name = action->objectName().toStdString();
    EXPECT_TRUE(inMenus.contains(action)) << name;
    EXPECT_FALSE(action->toolTip().isEmpty()) << name;
    for (const QKeySequence& key : action->shortcuts()) {
      EXPECT_FALSE(owner.contains(key)) << key.toString().toStdString() << ": " << name << " and "
                                        << owner.value(key).toStdString();
      owner.insert(key, action->objectName());
    }
  }
  // Every visible glyph button of the panel is one of these commands.
  for (QToolButton* button : ui.form().findChildren<QToolButton*>()) {
    if (!button->isVisibleTo(&ui.form()) || !button->objectName().contains("Button")) continue;
    EXPECT_TRUE(button->defaultAction() && actions.contains(button->defaultAction()))
        << button->objectName().toStdString();
  }
}

// Three objects, the second selected, the object list with the focus.
class ThreeObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.Load(
        ui.WriteFile("three.pathset", MakeDocument({MakeObject("a", {P(0, 0, 0), P(10, 0, 0)}),
                                                    MakeObject("b", {P(50, 0, 50), P(60, 0, 50)}),
                                                    MakeObject("c", {P(90, 0, 90)})})));
    ui.ClickRow("Names", 2);
    ui.Grid("Names")->setFocus();
  }
  FormDriver ui;
};

class ActionKeyTest : public ThreeObjects, public ::testing::WithParamInterface<const char*> {};

// Pressed in the object list, each key runs its own command once, whatever the command then does.
TEST_P(ActionKeyTest, KeyRunsItsCommand) {
  auto* action = ui.form().findChild<QAction*>(QString::fromLatin1(GetParam()));
  ASSERT_NE(action, nullptr);
  ASSERT_FALSE(action->shortcuts().isEmpty());
  ASSERT_TRUE(action->isEnabled());
  QSignalSpy fired(action, &QAction::triggered);
  const QKeyCombination key = action->shortcuts().first()[0];
  QTest::keyClick(ui.Grid("Names"), key.key(), key.keyboardModifiers());
  EXPECT_EQ(fired.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Window, ActionKeyTest,
    ::testing::Values("actionNew", "actionLoad", "actionMerge", "actionSave", "actionSaveAs",
                      "actionQuit", "actionCopy", "actionCut", "actionPaste", "actionDeleteObject",
                      "actionAddCopy", "actionMoveObjectUp", "actionMoveObjectDown",
                      "actionMoveNorthWest", "actionMoveNorth", "actionMoveNorthEast",
                      "actionMoveWest", "actionMoveEast", "actionMoveSouthWest", "actionMoveSouth",
                      "actionMoveSouthEast", "actionMoveHigher", "actionMoveLower", "actionZoomIn",
                      "actionZoomOut", "actionActualSize", "actionFit", "actionDrawAllPoints",
                      "actionShortcuts"));

struct KeyEffect {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* focus;  // the control with the keyboard focus
  int objectsAfter;
  double zoomAfter;
};

void PrintTo(const KeyEffect& k, std::ostream* out) {
  *out << k.name;
}

class KeyEffectTest : public ThreeObjects, public ::testing::WithParamInterface<KeyEffect> {};

// Keys that belong to the list and the map do nothing while a field has the focus; the zoom keys
// work from anywhere, Ctrl+Shift+= among them as a US keyboard sends Ctrl++.
TEST_P(KeyEffectTest, KeyActsWhereItShould) {
  const KeyEffect& k = GetParam();
  QWidget* focus = ui.form().findChild<QWidget*>(QString::fromLatin1(k.focus));
  focus->setFocus();
  QTest::keyClick(focus, k.key, k.modifiers);
  EXPECT_EQ(static_cast<int>(ui.doc().objectCount), k.objectsAfter);
  EXPECT_DOUBLE_EQ(ui.form().findChild<MapView*>()->Scale(), k.zoomAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Window, KeyEffectTest,
    ::testing::Values(KeyEffect{"DeleteInList", Qt::Key_Delete, {}, "Names", 2, 1.0},
                      KeyEffect{"DeleteOnMap", Qt::Key_Delete, {}, "Image1", 2, 1.0},
                      KeyEffect{"DeleteInField", Qt::Key_Delete, {}, "xEdit", 3, 1.0},
                      KeyEffect{"DeleteInPointList", Qt::Key_Delete, {}, "Ents", 3, 1.0},
                      KeyEffect{"DuplicateInField", Qt::Key_D, Qt::ControlModifier, "xEdit", 4,
                                1.0},
                      KeyEffect{"ZoomInByPlus", Qt::Key_Plus, Qt::ControlModifier, "xEdit", 3, 1.5},
                      KeyEffect{"ZoomInOnKeypad", Qt::Key_Plus,
                                Qt::ControlModifier | Qt::KeypadModifier, "Names", 3, 1.5},
                      KeyEffect{"ZoomOut", Qt::Key_Minus, Qt::ControlModifier, "Names", 3, 0.67}),
    [](const ::testing::TestParamInfo<KeyEffect>& info) { return info.param.name; });

TEST(WindowTitleTest, NamesTheFileAndItsModifiedState) {
  FormDriver ui;
  EXPECT_EQ(ui.ShownTitle(), QStringLiteral("QarnForm"));
  ui.Load(ui.WriteFile("demo.pathset", MakeDocument({MakeObject("a", {P(0, 0, 0)})})));
  EXPECT_EQ(ui.ShownTitle(), QStringLiteral("QarnForm - demo.pathset"));
  ui.Click("eButton");
  EXPECT_EQ(ui.ShownTitle(), QStringLiteral("QarnForm - demo.pathset*"));
  ui.Save(ui.TempPath("other.pathset"));
  EXPECT_EQ(ui.ShownTitle(), QStringLiteral("QarnForm - other.pathset"));
}

// The fields must never show an object of the file before: a command would take their values.
TEST(ReplacedDocumentTest, PanelShowsTheNewFilesObjectOrNothing) {
  FormDriver ui;
  ui.Load(ui.WriteFile("first.pathset", MakeDocument({MakeObject("a", {P(1, 2, 3, 0x83)}),
                                                      MakeObject("b", {P(5, 6, 7), P(9, 6, 7)})})));
  ui.ClickRow("Names", 2);
  ui.Load(ui.WriteFile(
      "second.pathset",
      MakeDocument({MakeObject("x", {P(-40, 0, 0)}),
                    MakeObject("y", {P(20, 1, 30, 0x7), P(25, 1, 30)}), MakeObject("z", {})})));
  EXPECT_EQ(ui.Grid("Names")->Row(), 2);
  EXPECT_EQ(ui.Float("xEdit")->Value(), 20);
  EXPECT_EQ(ui.Float("zEdit")->Value(), 30);
  EXPECT_EQ(ui.Column("Ents", 1).size(), 2);
  EXPECT_EQ(ui.FieldText("HexEdit"), QStringLiteral("00000007"));
  ui.Load(ui.WriteFile("empty.pathset", MakeDocument({})));
  EXPECT_EQ(ui.FieldText("xEdit"), QString());
  EXPECT_EQ(ui.FieldText("HexEdit"), QString());
  EXPECT_FALSE(ui.Box(32)->isChecked());
  EXPECT_EQ(ui.Column("Ents", 1), QStringList({""}));
}

TEST(NewAndRevertTest, NewAsksFirstAndRevertReadsTheFileAgain) {
  FormDriver ui;
  const QString path = ui.WriteFile("doc.pathset", MakeDocument({MakeObject("a", {P(0, 0, 0)})}));
  ui.Load(path);
  const std::vector<uint8_t> saved = ui.DocumentBytes();
  ui.Click("eButton");
  ui.dialogs().revertAnswers.push_back(true);
  ui.form().findChild<QAction*>(QStringLiteral("actionRevert"))->trigger();
  EXPECT_EQ(ui.DocumentBytes(), saved);
  EXPECT_FALSE(ui.form().IsModified());
  ui.Click("eButton");
  ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Cancel);
  QTest::keyClick(&ui.form(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(ui.doc().objectCount, 1u) << "Cancel keeps the document";
  ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Discard);
  QTest::keyClick(&ui.form(), Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(ui.doc().objectCount, 0u);
  EXPECT_EQ(ui.ShownTitle(), QStringLiteral("QarnForm"));
  EXPECT_FALSE(ui.form().findChild<QAction*>(QStringLiteral("actionRevert"))->isEnabled());
  EXPECT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
}

}  // namespace
}  // namespace qarn::testing
