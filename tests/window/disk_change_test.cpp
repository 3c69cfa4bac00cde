// Another program writes the open file: the editor asks before saving over it, offers to reload
// it while nothing is unsaved, and says so once while something is.
#include <gtest/gtest.h>

#include "document/path_set_codec.h"
#include "fileio/disk_snapshot.h"
#include "form_driver.h"
#include "widgets/kv_string_grid.h"
#include "window/disk_change_guard.h"

namespace qarn::testing {
namespace {

using Answer = FormDialogs::ChangedAnswer;

class DiskChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.Load(path);
    other.Object(1).Point(1).x = 55;
  }
  void ChangeInEditorThenInOtherProgram() {
    ui.ClickRow("Names", 2);
    ui.Click("eButton");
    ui.WriteFile("demo.pathset", other);
  }
  bool Asked(const QString& question) {
    return QTest::qWaitFor([&] { return ui.dialogs().changedQuestions.contains(question); }, 3000);
  }

  FormDriver ui;
  tHeader two = MakeDocument({MakeObject("giz_bridge01_l", {P(0, 0, 0, 0x83), P(10, 0, 0)}),
                              MakeObject("str_lamp_post_s", {P(-100, 2, 50, 0x7317)})});
  QString path = ui.WriteFile("demo.pathset", two);
  tHeader other = two;  // what the other program writes
};

struct SaveCase {
  Answer answer;
  bool fileIsEditors;     // else the other program's
  bool documentIsOthers;  // reloaded
};

class SaveOverChangeTest : public DiskChangeTest, public ::testing::WithParamInterface<SaveCase> {};

// Ctrl+S, as a user saves to the open file.
TEST_P(SaveOverChangeTest, AsksAndDoesWhatTheAnswerSays) {
  ChangeInEditorThenInOtherProgram();
  const std::vector<uint8_t> mine = ui.DocumentBytes();
  ui.dialogs().overwriteAnswers = {GetParam().answer};
  ui.Grid("Names")->setFocus();
  QTest::keyClick(ui.Grid("Names"), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(ui.dialogs().changedQuestions.contains("overwrite demo.pathset"));
  EXPECT_EQ(ui.ReadBytes(path), GetParam().fileIsEditors ? mine : SerializeToBytes(other));
  EXPECT_EQ(ui.DocumentBytes(), GetParam().documentIsOthers ? SerializeToBytes(other) : mine);
  EXPECT_EQ(ui.form().IsModified(), GetParam().answer == Answer::Cancel);
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveOverChangeTest,
                         ::testing::Values(SaveCase{Answer::Overwrite, true, false},
                                           SaveCase{Answer::Reload, false, true},
                                           SaveCase{Answer::Cancel, false, false}));

TEST_F(DiskChangeTest, WithNothingUnsavedAReloadIsOffered) {
  ui.dialogs().reloadAnswer = true;
  ui.WriteFile("demo.pathset", other);
  ASSERT_TRUE(Asked("reload demo.pathset"));
  EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(other));
}

TEST_F(DiskChangeTest, WithUnsavedChangesItIsSaidOnce) {
  ChangeInEditorThenInOtherProgram();
  ASSERT_TRUE(Asked("told demo.pathset"));
  ui.WriteFile("demo.pathset", two);
  QTest::qWait(300);
  EXPECT_EQ(ui.dialogs().changedQuestions, QStringList{"told demo.pathset"});
}

// The file opened at start (before the window shows) is hashed once the window has painted,
// or sooner when asked for; either way the guard holds the file as it was loaded.
class StartFileTest : public DiskChangeTest {
 protected:
  std::optional<DiskSnapshot> loaded = DiskSnapshot::Take(path);
  TQarnForm form{std::make_unique<ScriptedDialogs>()};

  void TearDown() override { form.UndoStack().setClean(); }
};

TEST_F(StartFileTest, AskedForBeforeTheFirstPaintItIsTheFileAsLoaded) {
  ASSERT_TRUE(form.LoadFile(path));
  ui.WriteFile("demo.pathset", other);
  ASSERT_TRUE(loaded && form.DiskGuard().Snapshot());
  EXPECT_EQ(form.DiskGuard().Snapshot()->hash, loaded->hash);
  EXPECT_TRUE(DiskChangeGuard::ChangedSince(path, form.DiskGuard().Snapshot()));
}

TEST_F(StartFileTest, AfterTheFirstPaintItIsTheFileAsLoaded) {
  ASSERT_TRUE(form.LoadFile(path));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QCoreApplication::processEvents();
  ASSERT_TRUE(loaded && form.DiskGuard().Snapshot());
  EXPECT_EQ(form.DiskGuard().Snapshot()->hash, loaded->hash);
  EXPECT_EQ(form.DiskGuard().Snapshot()->hash.size(), 32);
}

}  // namespace
}  // namespace qarn::testing
