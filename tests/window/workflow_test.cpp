// Quick save, recent files and dropped files, through keys, menus and drop events.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "form_driver.h"
#include "window/background_writer.h"

namespace qarn::testing {
namespace {

void Key(FormDriver& ui, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
  ui.Grid("Names")->setFocus();
  QTest::keyClick(ui.Grid("Names"), key, modifiers);
}

QMenu* RecentMenu(FormDriver& ui) {
  return ui.form().findChild<QMenu*>("RecentFilesMenu");
}

// The menu's entries, "(off) " in front of a greyed-out one.
QStringList MenuTexts(FormDriver& ui) {
  QStringList texts;
  for (QAction* action : RecentMenu(ui)->actions()) {
    texts << (action->isEnabled() ? "" : "(off) ") + action->text();
  }
  return texts;
}

class WorkflowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "qarn", "qarn").remove("recentFiles");
  }
  FormDriver ui;
  tHeader one = MakeDocument({MakeObject("giz_bridge01_l", {P(0, 0, 0, 0x83), P(10, 0, 0)})});
  tHeader two = MakeDocument({MakeObject("a", {P(1, 2, 3)}), MakeObject("b", {P(4, 5, 6)})});
};

TEST_F(WorkflowTest, CtrlSAsksOnlyForANewDocumentThenSavesToItsFile) {
  const QString path = ui.TempPath("new.pathset");
  ui.dialogs().saveAnswers.push_back(path);
  Key(ui, Qt::Key_S);
  EXPECT_EQ(ui.dialogs().proposedSaveNames.size(), 1);
  EXPECT_EQ(ui.ReadBytes(path), std::vector<uint8_t>(12, 0));
  ui.Merge(ui.WriteFile("one.pathset", one));
  Key(ui, Qt::Key_S);
  EXPECT_EQ(ui.dialogs().proposedSaveNames.size(), 1) << "no dialog the second time";
  EXPECT_EQ(ui.ReadBytes(path), ui.DocumentBytes());
  EXPECT_FALSE(ui.form().IsModified());
}

TEST_F(WorkflowTest, CtrlShiftSAndTheSaveButtonAlwaysAsk) {
  const QString path = ui.WriteFile("open.pathset", one);
  ui.Load(path);
  ui.dialogs().saveAnswers = {ui.TempPath("copy.pathset"), std::nullopt};
  Key(ui, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ui.Click("Button1");
  EXPECT_EQ(ui.dialogs().proposedSaveNames.size(), 2);
  EXPECT_EQ(ui.ReadBytes(ui.TempPath("copy.pathset")), ui.ReadBytes(path));
  EXPECT_EQ(ui.form().DocumentPath(), ui.TempPath("copy.pathset"));
}

TEST_F(WorkflowTest, AFailedQuickSaveKeepsTheChangesAndSaysWhy) {
  const QString path = ui.WriteFile("open.pathset", one);
  ui.Load(path);
  ui.Click("eButton");
  QFile::remove(path);
  QDir(ui.TempPath("")).mkdir("open.pathset");  // a folder where the file was
  Key(ui, Qt::Key_S);
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].contains("open.pathset"));
  EXPECT_TRUE(ui.form().IsModified());
}

TEST_F(WorkflowTest, RecentFilesOutliveTheWindowNewestFirstAtMostTen) {
  for (int i = 0; i < 12; ++i) ui.Load(ui.WriteFile(QStringLiteral("f%1.pathset").arg(i), one));
  ui.Save(ui.TempPath("saved.pathset"));
  ui.Load(ui.TempPath("f5.pathset"));  // again: moves to the front, not listed twice
  QFile::remove(ui.TempPath("f4.pathset"));
  BackgroundWriter::WaitForEveryWriter();  // the settings are written by a worker thread
  FormDriver next;                         // the next start
  Key(next, Qt::Key_R);
  ASSERT_TRUE(RecentMenu(next)->isVisible());
  const QStringList texts = MenuTexts(next);
  ASSERT_EQ(texts.size(), 10);
  EXPECT_TRUE(texts[0].startsWith("&1  f5.pathset")) << texts[0].toStdString();
  EXPECT_TRUE(texts[1].startsWith("&2  saved.pathset"));
  EXPECT_EQ(texts[8].left(22), "(off) &9  f4.pathset  ") << "a file that is gone";
  EXPECT_TRUE(texts[8].endsWith(" - not found"));
  EXPECT_TRUE(texts[9].startsWith("1&0  f3.pathset")) << texts[9].toStdString();
  RecentMenu(next)->close();
}

TEST_F(WorkflowTest, TheLoadButtonsMenuOpensARecentFileAfterAskingAboutChanges) {
  const QString path = ui.WriteFile("two.pathset", two);
  ui.Load(path);
  ui.Load(ui.WriteFile("one.pathset", one));
  ui.Click("eButton");
  ui.dialogs().saveChangesAnswers = {FormDialogs::SaveAnswer::Cancel,
                                     FormDialogs::SaveAnswer::Discard};
  auto* load = ui.form().findChild<QPushButton*>("LoadButton");
  for (int attempt = 0; attempt < 2; ++attempt) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            load->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(load, &click);  // what a right-click sends
    ASSERT_TRUE(RecentMenu(ui)->isVisible());
    QTest::keyClick(RecentMenu(ui), Qt::Key_2);
    EXPECT_EQ(ui.form().DocumentPath(), attempt == 0 ? ui.TempPath("one.pathset") : path);
  }
  EXPECT_EQ(ui.dialogs().askedAbout, (QStringList{"one.pathset", "one.pathset"}));
  EXPECT_EQ(ui.doc().objectCount, 2u);
}

// Sends a drag over the form and drops it, as the platform does; returns whether it was taken.
bool DropFiles(TQarnForm& form, const QStringList& paths, Qt::KeyboardModifiers modifiers) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  const QPoint at(200, 200);
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(&form, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(&form, &drop);
  if (drop.isAccepted()) {
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction) << "the file manager must never delete the file";
  }
  QCoreApplication::processEvents();
  return drop.isAccepted();
}

struct DropCase {
  const char* what;
  QStringList files;
  Qt::KeyboardModifiers modifiers;
  bool taken;
  uint32_t objects;  // afterwards; "base.pathset" holds 1, "a" 2, "b" 1
  QString document;
  int undoSteps;
};

class DropTest : public WorkflowTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(DropTest, OpensOrMergesPathSetsAndIgnoresTheRest) {
  ui.Load(ui.WriteFile("base.pathset", one));
  ui.WriteFile("a.pathset", two);
  ui.WriteFile("b.pathset", one);
  ui.WriteFile("notes.txt", two);
  QStringList paths;
  for (const QString& file : GetParam().files) paths << ui.TempPath(file);
  EXPECT_EQ(DropFiles(ui.form(), paths, GetParam().modifiers), GetParam().taken);
  EXPECT_EQ(ui.doc().objectCount, GetParam().objects);
  EXPECT_EQ(ui.form().DocumentName(), GetParam().document);
  EXPECT_EQ(ui.UndoSteps(), GetParam().undoSteps);
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropTest,
    ::testing::Values(
        // Shift asks the source to move the file; the drop is still only a copy.
        DropCase{"open", {"a.pathset"}, Qt::ShiftModifier, true, 2, "a.pathset", 0},
        DropCase{
            "merge", {"a.pathset", "b.pathset"}, Qt::ControlModifier, true, 4, "base.pathset", 1},
        DropCase{"other file", {"notes.txt"}, {}, false, 1, "base.pathset", 0},
        DropCase{"two to open", {"a.pathset", "b.pathset"}, {}, false, 1, "base.pathset", 0},
        DropCase{"no file", {}, Qt::ControlModifier, false, 1, "base.pathset", 0}),
    [](const auto& info) {
      QString name = info.param.what;
      return name.replace(' ', '_').toStdString();
    });

TEST_F(WorkflowTest, DroppingAsksAboutUnsavedChangesFirst) {
  ui.Load(ui.WriteFile("base.pathset", one));
  ui.Click("eButton");
  const std::vector<uint8_t> changed = ui.DocumentBytes();
  ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Cancel);
  EXPECT_TRUE(DropFiles(ui.form(), {ui.WriteFile("other.pathset", two)}, {}));
  EXPECT_EQ(ui.dialogs().askedAbout, QStringList{"base.pathset"});
  EXPECT_EQ(ui.DocumentBytes(), changed);
}

}  // namespace
}  // namespace qarn::testing
