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

namespace qarn::testing {
namespace {

class WorkflowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "qarn", "qarn").remove("recentFiles");
  }
  void Key(int key, Qt::KeyboardModifiers modifiers) { Key(*ui, key, modifiers); }
  static void Key(FormDriver& driver, int key, Qt::KeyboardModifiers modifiers) {
    driver.Grid("Names")->setFocus();
    QTest::keyClick(driver.Grid("Names"), static_cast<Qt::Key>(key), modifiers);
  }
  QMenu* RecentMenu() { return RecentMenu(*ui); }
  static QMenu* RecentMenu(FormDriver& driver) {
    return driver.form().findChild<QMenu*>("RecentFilesMenu");
  }
  QStringList MenuTexts() { return MenuTexts(*ui); }
  static QStringList MenuTexts(FormDriver& driver) {
    QStringList texts;
    for (QAction* action : RecentMenu(driver)->actions()) {
      texts << (action->isEnabled() ? "" : "(off) ") + action->text();
    }
    return texts;
  }
  std::unique_ptr<FormDriver> ui = std::make_unique<FormDriver>();
  tHeader one = MakeDocument({MakeObject("giz_bridge01_l", {P(0, 0, 0, 0x83), P(10, 0, 0)})});
  tHeader two = MakeDocument({MakeObject("a", {P(1, 2, 3)}), MakeObject("b", {P(4, 5, 6)})});
};

TEST_F(WorkflowTest, CtrlSSavesToTheOpenFileWithoutADialog) {
  const QString path = ui->WriteFile("open.pathset", one);
  ui->Load(path);
  ui->Click("eButton");  // a change to save
  ASSERT_TRUE(ui->form().IsModified());
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(ui->dialogs().proposedSaveNames.isEmpty()) << "no dialog";
  EXPECT_EQ(ui->ReadBytes(path), ui->DocumentBytes());
  EXPECT_FALSE(ui->form().IsModified());
}

TEST_F(WorkflowTest, CtrlSWithoutAFileAsksAsSaveDoes) {
  ui->dialogs().saveAnswers.push_back(ui->TempPath("new.pathset"));
  Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(ui->dialogs().proposedSaveNames.size(), 1);
  EXPECT_TRUE(ui->dialogs().proposedSaveNames[0].endsWith("roam.pathset"));
  EXPECT_EQ(ui->ReadBytes(ui->TempPath("new.pathset")), std::vector<uint8_t>(12, 0));
  EXPECT_EQ(ui->form().DocumentPath(), ui->TempPath("new.pathset"));
}

TEST_F(WorkflowTest, CtrlShiftSAndTheSaveButtonAlwaysAsk) {
  const QString path = ui->WriteFile("open.pathset", one);
  ui->Load(path);
  ui->dialogs().saveAnswers = {ui->TempPath("copy.pathset"), std::nullopt};
  Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  ui->Click("Button1");
  EXPECT_EQ(ui->dialogs().proposedSaveNames.size(), 2);
  EXPECT_EQ(ui->ReadBytes(ui->TempPath("copy.pathset")), ui->ReadBytes(path));
  EXPECT_EQ(ui->form().DocumentPath(), ui->TempPath("copy.pathset"));
}

TEST_F(WorkflowTest, AFailedQuickSaveKeepsTheChangesAndSaysWhy) {
  const QString path = ui->WriteFile("open.pathset", one);
  ui->Load(path);
  ui->Click("eButton");
  QFile::remove(path);
  QDir(ui->TempPath("")).mkdir("open.pathset");  // a folder where the file was
  Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(ui->dialogs().errors.size(), 1);
  EXPECT_TRUE(ui->dialogs().errors[0].contains("open.pathset"));
  EXPECT_TRUE(ui->form().IsModified());
}

TEST_F(WorkflowTest, RecentFilesOutliveTheWindowNewestFirstAtMostTen) {
  for (int i = 0; i < 12; ++i) ui->Load(ui->WriteFile(QStringLiteral("f%1.pathset").arg(i), one));
  ui->Save(ui->TempPath("saved.pathset"));
  ui->Load(ui->TempPath("f5.pathset"));  // again: moves to the front, not listed twice
  FormDriver next;                       // the next start
  Key(next, Qt::Key_R, Qt::ControlModifier);
  ASSERT_TRUE(RecentMenu(next)->isVisible());
  const QStringList texts = MenuTexts(next);
  ASSERT_EQ(texts.size(), 10);
  EXPECT_TRUE(texts[0].startsWith("&1  f5.pathset")) << texts[0].toStdString();
  EXPECT_TRUE(texts[1].startsWith("&2  saved.pathset"));
  EXPECT_TRUE(texts[9].startsWith("1&0  f3.pathset")) << texts[9].toStdString();
  RecentMenu(next)->close();
}

TEST_F(WorkflowTest, ARecentFileOpensFromTheLoadButtonsMenuByKeyboard) {
  const QString path = ui->WriteFile("two.pathset", two);
  ui->Load(path);
  ui->Load(ui->WriteFile("one.pathset", one));
  auto* load = ui->form().findChild<QPushButton*>("LoadButton");
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), load->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(load, &click);  // what a right-click sends
  ASSERT_TRUE(RecentMenu()->isVisible());
  QTest::keyClick(RecentMenu(), Qt::Key_2);
  EXPECT_EQ(ui->form().DocumentPath(), path);
  EXPECT_EQ(ui->doc().objectCount, 2u);
}

TEST_F(WorkflowTest, AMissingRecentFileIsGreyedOut) {
  const QString gone = ui->WriteFile("gone.pathset", one);
  ui->Load(gone);
  ui->Load(ui->WriteFile("here.pathset", one));
  QFile::remove(gone);
  Key(Qt::Key_R, Qt::ControlModifier);
  const QStringList texts = MenuTexts();
  ASSERT_EQ(texts.size(), 2);
  EXPECT_FALSE(texts[0].startsWith("(off)"));
  EXPECT_TRUE(texts[1].startsWith("(off) &2  gone.pathset")) << texts[1].toStdString();
  EXPECT_TRUE(texts[1].endsWith(" - not found"));
  RecentMenu()->close();
}

TEST_F(WorkflowTest, OpeningARecentFileAsksAboutUnsavedChanges) {
  ui->Load(ui->WriteFile("two.pathset", two));
  ui->Click("eButton");
  ui->dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Cancel);
  Key(Qt::Key_R, Qt::ControlModifier);
  QTest::keyClick(RecentMenu(), Qt::Key_Return);
  EXPECT_EQ(ui->dialogs().askedAbout, QStringList{"two.pathset"});
  EXPECT_TRUE(ui->form().IsModified()) << "cancelled: the changes stay";
}

// Sends a drag over the form and drops it, as the platform does; returns whether it was taken.
bool DropFiles(TQarnForm& form, const QStringList& paths, Qt::KeyboardModifiers modifiers = {}) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  const QPointF at(200, 200);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        modifiers);
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

// Shift asks the source to move the file; the drop is still only a copy.
TEST_F(WorkflowTest, DroppingAPathSetOpensIt) {
  const QString path = ui->WriteFile("dropped.pathset", two);
  EXPECT_TRUE(DropFiles(ui->form(), {path}, Qt::ShiftModifier));
  EXPECT_EQ(ui->form().DocumentPath(), path);
  EXPECT_EQ(ui->doc().objectCount, 2u);
  EXPECT_EQ(ui->UndoSteps(), 0);
}

TEST_F(WorkflowTest, DroppingWithCtrlMergesEveryFileInOneStep) {
  ui->Load(ui->WriteFile("base.pathset", one));
  const QStringList paths{ui->WriteFile("a.pathset", two), ui->WriteFile("b.pathset", one)};
  EXPECT_TRUE(DropFiles(ui->form(), paths, Qt::ControlModifier));
  EXPECT_EQ(ui->doc().objectCount, 4u);
  EXPECT_EQ(ui->form().DocumentName(), "base.pathset");
  EXPECT_EQ(ui->UndoSteps(), 1);
}

TEST_F(WorkflowTest, DroppingAsksAboutUnsavedChangesFirst) {
  ui->Load(ui->WriteFile("base.pathset", one));
  ui->Click("eButton");
  const std::vector<uint8_t> changed = ui->DocumentBytes();
  ui->dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Cancel);
  EXPECT_TRUE(DropFiles(ui->form(), {ui->WriteFile("other.pathset", two)}));
  EXPECT_EQ(ui->dialogs().askedAbout, QStringList{"base.pathset"});
  EXPECT_EQ(ui->DocumentBytes(), changed);
}

TEST_F(WorkflowTest, AnythingElseDroppedIsIgnored) {
  ui->Load(ui->WriteFile("base.pathset", one));
  const std::vector<uint8_t> before = ui->DocumentBytes();
  const QString a = ui->WriteFile("a.pathset", two), b = ui->WriteFile("b.pathset", two);
  EXPECT_FALSE(DropFiles(ui->form(), {ui->WriteFile("notes.txt", two)}));
  EXPECT_FALSE(DropFiles(ui->form(), {}));
  EXPECT_FALSE(DropFiles(ui->form(), {a, b})) << "two files cannot both be opened";
  QMimeData text;
  text.setText("a.pathset");
  QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &text, Qt::LeftButton, {});
  QApplication::sendEvent(&ui->form(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  EXPECT_EQ(ui->DocumentBytes(), before);
  EXPECT_TRUE(ui->dialogs().errors.isEmpty());
}

}  // namespace
}  // namespace qarn::testing
