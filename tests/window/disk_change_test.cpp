// Another program writes the open file: the editor asks before saving over it, offers to reload
// it while nothing is unsaved, and says so once while something is.
#include <gtest/gtest.h>

#include "document/path_set_codec.h"
#include "form_driver.h"
#include "widgets/kv_string_grid.h"

namespace qarn::testing {
namespace {

using Answer = FormDialogs::ChangedAnswer;

class DiskChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.Load(path);
    other.Object(1).Point(1).x = 55;  // what the other program writes
  }
  void ChangeInEditor() {
    ui.ClickRow("Names", 2);
    ui.Click("eButton");
  }
  // Ctrl+S, as a user saves to the open file.
  void QuickSave() {
    ui.form().activateWindow();
    ui.Grid("Names")->setFocus();
    QTest::keyClick(ui.Grid("Names"), Qt::Key_S, Qt::ControlModifier);
  }
  bool Asked(const QString& question) {
    return QTest::qWaitFor([&] { return ui.dialogs().changedQuestions.contains(question); }, 3000);
  }

  FormDriver ui;
  tHeader two = MakeDocument({MakeObject("giz_bridge01_l", {P(0, 0, 0, 0x83), P(10, 0, 0)}),
                              MakeObject("str_lamp_post_s", {P(-100, 2, 50, 0x7317)})});
  QString path = ui.WriteFile("demo.pathset", two);
  tHeader other = two;
};

struct SaveCase {
  const char* label;
  Answer answer;
  bool fileIsEditors;     // else the other program's
  bool documentIsOthers;  // reloaded
  bool modifiedAfter;
};

class SaveOverChangeTest : public DiskChangeTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveOverChangeTest, AsksAndDoesWhatTheAnswerSays) {
  ChangeInEditor();
  const std::vector<uint8_t> mine = ui.DocumentBytes();
  ui.WriteFile("demo.pathset", other);
  ui.dialogs().overwriteAnswers = {GetParam().answer};
  QuickSave();
  EXPECT_EQ(ui.dialogs().changedQuestions.filter("overwrite"),
            QStringList{"overwrite demo.pathset"});
  EXPECT_EQ(ui.ReadBytes(path), GetParam().fileIsEditors ? mine : SerializeToBytes(other));
  EXPECT_EQ(ui.DocumentBytes(), GetParam().documentIsOthers ? SerializeToBytes(other) : mine);
  EXPECT_EQ(ui.form().IsModified(), GetParam().modifiedAfter);
  EXPECT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Answers, SaveOverChangeTest,
                         ::testing::Values(SaveCase{"Overwrite", Answer::Overwrite, true, false,
                                                    false},
                                           SaveCase{"Reload", Answer::Reload, false, true, false},
                                           SaveCase{"Cancel", Answer::Cancel, false, false, true}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(DiskChangeTest, OwnSavesAndTouchesAskNothing) {
  ChangeInEditor();
  QuickSave();
  ChangeInEditor();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
  QuickSave();
  EXPECT_EQ(ui.ReadBytes(path), ui.DocumentBytes());
  EXPECT_TRUE(ui.dialogs().changedQuestions.isEmpty())
      << ui.dialogs().changedQuestions.join('\n').toStdString();
}

TEST_F(DiskChangeTest, WithNothingUnsavedAReloadIsOffered) {
  ui.dialogs().reloadAnswers = {true};
  ui.WriteFile("demo.pathset", other);
  ASSERT_TRUE(Asked("reload demo.pathset"));
  EXPECT_EQ(ui.DocumentBytes(), SerializeToBytes(other));
  EXPECT_FALSE(ui.form().IsModified());
}

TEST_F(DiskChangeTest, WithUnsavedChangesItIsSaidOnce) {
  ChangeInEditor();
  ui.WriteFile("demo.pathset", other);
  ASSERT_TRUE(Asked("told demo.pathset"));
  other.Object(1).Point(1).x = 66;
  ui.WriteFile("demo.pathset", other);
  QTest::qWait(300);
  EXPECT_EQ(ui.dialogs().changedQuestions, QStringList{"told demo.pathset"});
  EXPECT_TRUE(ui.form().IsModified());
}

}  // namespace
}  // namespace qarn::testing
