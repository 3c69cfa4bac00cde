// What assistive technology is told: a name for every visible control, and the lists' rows and
// current row, read through Qt's accessibility interfaces as a screen reader's bridge reads them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMap>

#include "form_driver.h"
#include "window/change_announcer.h"

namespace qarn::testing {
namespace {

class AccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.Load(ui.WriteFile("access.pathset",
                         MakeDocument({MakeObject("giz_bridge01_l", {P(0, 0, 0), P(10, 0, 0)}),
                                       MakeObject("str_bench_s", {P(1, 0, 1)}),
                                       MakeObject("bar_bollard_s", {P(2, 0, 2), P(3, 0, 3)})})));
    ui.ClickRow("Names", 3);
  }
  static QAccessibleInterface* Of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
  }
  QString NameOf(const char* objectName) {
    QAccessibleInterface* control = Of(ui.form().findChild<QWidget*>(objectName));
    return control ? control->text(QAccessible::Name) : QStringLiteral("<none>");
  }
  // Every visible widget the accessible tree reaches below the window.
  void Collect(QAccessibleInterface* node, QList<QAccessibleInterface*>& found) {
    for (int i = 0; i < node->childCount(); ++i) {
      QAccessibleInterface* child = node->child(i);
      if (!child || child->state().invisible) continue;
      if (child->object() && child->object()->isWidgetType()) found << child;
      Collect(child, found);
    }
  }
  FormDriver ui;
};

TEST_F(AccessTest, EveryVisibleControlHasAName) {
  QList<QAccessibleInterface*> controls;
  Collect(Of(&ui.form()), controls);
  EXPECT_GT(controls.size(), 80);
  for (QAccessibleInterface* control : controls) {
    EXPECT_FALSE(control->text(QAccessible::Name).trimmed().isEmpty())
        << control->object()->metaObject()->className() << " "
        << control->object()->objectName().toStdString() << " role " << control->role();
  }
}

struct Spoken {
  const char* control;
  const char* name;
};

class SpokenNameTest : public AccessTest, public ::testing::WithParamInterface<Spoken> {};

TEST_P(SpokenNameTest, SaysWhatTheControlIsOrDoes) {
  EXPECT_EQ(NameOf(GetParam().control), QString::fromUtf8(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Controls, SpokenNameTest,
                         ::testing::Values(Spoken{"eButton", "Move right on the map by the step"},
                                           Spoken{"UndoButton", "Undo"},
                                           Spoken{"xEdit", "x of point 1"},
                                           Spoken{"c1", "Flag bit 31"}, Spoken{"c32", "Flag bit 0"},
                                           Spoken{"Names", "Objects"},
                                           Spoken{"Ents", "Points of the selected object"}));

// Each editable box is announced by its purpose, with its text as the value.
TEST_F(AccessTest, AnEditableBoxIsNamedByItsPurposeWithItsTextAsValue) {
  for (const char* name : {"DTyp", "HexTyp", "ZoomBox"}) {
    auto* box = ui.form().findChild<QComboBox*>(QString::fromLatin1(name));
    QAccessibleInterface* control = Of(box);
    EXPECT_EQ(control->role(), QAccessible::ComboBox) << name;
    EXPECT_EQ(control->text(QAccessible::Name), box->accessibleName()) << name;
    EXPECT_FALSE(box->accessibleName().isEmpty()) << name;
    EXPECT_EQ(control->text(QAccessible::Value), box->currentText()) << name;
  }
}

// A panel is a grouping: a screen reader takes the nearest frame above a control for its window.
TEST_F(AccessTest, OnlyTheWindowIsAFrameAndTheStatusLineIsAStatusBar) {
  EXPECT_EQ(Of(&ui.form())->role(), QAccessible::Window);
  for (const char* panel : {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5"}) {
    EXPECT_EQ(Of(ui.form().findChild<QWidget*>(panel))->role(), QAccessible::Grouping) << panel;
  }
  EXPECT_EQ(Of(ui.form().findChild<QWidget*>("StatusLabel"))->role(), QAccessible::StatusBar);
}

TEST_F(AccessTest, EveryButtonHasANameOfItsOwn) {
  QMap<QString, QString> owners;
  for (QAbstractButton* button : ui.form().findChildren<QAbstractButton*>()) {
    if (qobject_cast<QCheckBox*>(button) || button->objectName().isEmpty()) continue;
    const QString name = Of(button)->text(QAccessible::Name);
    EXPECT_FALSE(owners.contains(name))
        << name.toStdString() << ": " << button->objectName().toStdString() << " and "
        << owners.value(name).toStdString();
    owners.insert(name, button->objectName());
  }
  EXPECT_GT(owners.size(), 40);
}

// A command fills fields the user is not in; the announcer says which, with their new text.
TEST_F(AccessTest, ACommandAnnouncesTheFieldsItChanged) {
  auto* announcer = ui.form().findChild<ChangeAnnouncer*>(QStringLiteral("ChangeAnnouncer"));
  ASSERT_NE(announcer, nullptr);
  EXPECT_EQ(Of(announcer)->role(), QAccessible::Notification);
  QApplication::processEvents();  // the click on the row: the row is heard, not the fields
  EXPECT_TRUE(announcer->LastAnnouncement().isEmpty());
  ui.Click("nButton");
  QApplication::processEvents();
  const QString said = announcer->LastAnnouncement();
  EXPECT_TRUE(said.contains(QStringLiteral("z of point 1 ") + ui.FieldText("zEdit")))
      << said.toStdString();
  EXPECT_FALSE(said.contains(QStringLiteral("x of point 1"))) << "x did not change";
}

TEST_F(AccessTest, TheListsReportTheirRowsAndTheCurrentRow) {
  QAccessibleTableInterface* objects = Of(ui.Grid("Names"))->tableInterface();
  ASSERT_NE(objects, nullptr);
  EXPECT_EQ(objects->rowCount(), 3);
  EXPECT_EQ(objects->selectedRows(), QList<int>{2});
  EXPECT_EQ(objects->cellAt(2, 0)->text(QAccessible::Name), QStringLiteral("bar_bollard_s"));
  QAccessibleTableInterface* points = Of(ui.Grid("Ents"))->tableInterface();
  ASSERT_NE(points, nullptr);
  EXPECT_EQ(points->rowCount(), 2);
  EXPECT_EQ(points->columnCount(), 4);
  ui.ClickRow("Ents", 2);
  EXPECT_EQ(points->selectedRows(), QList<int>{1});
  EXPECT_EQ(points->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("3,00"));
}

}  // namespace
}  // namespace qarn::testing
