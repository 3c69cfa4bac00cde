// The editor against the file system: a Save that fails keeps the work, odd files are refused,
// and a point that cannot be drawn is named with its file, object and point.
#include <gtest/gtest.h>

#include <QLabel>
#include <limits>

#include "failing_steps.h"
#include "form_driver.h"
#include "odd_files.h"
#include "small_tmpfs.h"
#include "window/startup.h"

namespace qarn::testing {
namespace {

using test::WriteStep;

class FileSafetyTest : public ::testing::Test {
 protected:
  // Loads a file, then changes the document through a button.
  QString LoadAndEdit() {
    const QString path = ui.WriteFile("work.pathset", two);
    ui.Load(path);
    ui.ClickRow("Names", 1);
    ui.Click("SpeedButton1");  // a copy of object 1
    EXPECT_TRUE(ui.form().IsModified());
    return path;
  }

  // Work that failed to save is still there and still modified, and closing still asks.
  void ExpectStillModified() {
    EXPECT_TRUE(ui.form().IsModified());
    EXPECT_EQ(ui.doc().objectCount, 3u);
    EXPECT_TRUE(ui.form().findChild<QLabel*>("StatusLabel")->text().contains('*'));
    ui.dialogs().saveChangesAnswers.push_back(FormDialogs::SaveAnswer::Cancel);
    EXPECT_FALSE(ui.form().close());
    EXPECT_EQ(ui.dialogs().askedAbout.size(), 1);
  }

  FormDriver ui;
  tHeader two = MakeDocument({MakeObject("giz_bridge01_l", {P(0, 0, 0, 0x83), P(10, 0, 0)}),
                              MakeObject("str_lamp_post_s", {P(-100, 2, 50, 0x7317)})});
};

class SaveFaultTest : public FileSafetyTest, public ::testing::WithParamInterface<WriteStep> {};

TEST_P(SaveFaultTest, KeepsTheOldFileAndTheDocumentModified) {
  const QString path = LoadAndEdit();
  const std::vector<uint8_t> old = ui.ReadBytes(path);
  {
    const test::FailingSteps failing(GetParam());
    ui.Save(path);
  }
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_EQ(ui.dialogs().errors[0], QStringLiteral("work.pathset: I/O error: %1: %2.")
                                        .arg(test::StepWords(GetParam()), test::DiskFull()));
  EXPECT_EQ(ui.ReadBytes(path), old);
  ExpectStillModified();
}

INSTANTIATE_TEST_SUITE_P(Steps, SaveFaultTest, ::testing::ValuesIn(test::kAllSteps),
                         [](const auto& info) { return test::StepName(info.param); });

TEST_F(FileSafetyTest, SaveOntoAFullDiskKeepsTheOldFileAndTheDocumentModified) {
  const test::SmallTmpfs disk(64);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason().toStdString();
  LoadAndEdit();
  const QString path = disk.Path("old.pathset");
  ASSERT_TRUE(QFile::copy(ui.TempPath("work.pathset"), path));
  const std::vector<uint8_t> old = ui.ReadBytes(path);
  disk.Fill(100);  // room for part of the document
  ui.Save(path);
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_EQ(ui.dialogs().errors[0],
            "old.pathset: I/O error: cannot write the file: " + test::DiskFull() + '.');
  EXPECT_EQ(ui.ReadBytes(path), old);
  ExpectStillModified();
}

// Only regular files are loaded: a FIFO does not block the window (the tool's tests go through
// the other kinds of file).
TEST_F(FileSafetyTest, AFifoIsRefusedWithoutWaitingAndTheDocumentStays) {
  ui.Load(ui.WriteFile("good.pathset", two));
  const std::vector<uint8_t> before = ui.DocumentBytes();
  const QString fifo = ui.TempPath("fifo");
  ASSERT_TRUE(test::MakeFifo(fifo));
  const test::FifoWatchdog watchdog(fifo);
  ui.Load(fifo);
  ui.Merge(fifo);
  EXPECT_FALSE(watchdog.Fired()) << "the load blocked";
  EXPECT_EQ(ui.dialogs().errors,
            QStringList(2, "fifo: I/O error: " + fifo + " is not a regular file but a FIFO."));
  EXPECT_EQ(ui.DocumentBytes(), before);
}

// A point the map cannot show: the file loads, every other mark is drawn, and the message names
// the file, the object and the point.
class UndrawablePointTest : public FileSafetyTest {
 protected:
  const float kNan = std::numeric_limits<float>::quiet_NaN();
  // Neither the pair's nor the row's direction can be told either.
  tHeader withNan =
      MakeDocument({MakeObject("a", {P(0, 0, 0)}),
                    MakeObject("b", {P(1, 0, 5), P(kNan, 0, 6), P(3, 0, kNan), P(4, 0, 8)})});
  const QString kMessage =
      QStringLiteral("nan.pathset: object 2, point 2: x is nan and cannot be drawn on the map.");
};

TEST_F(UndrawablePointTest, LoadAndSelectingTheObjectNameIt) {
  ui.Load(ui.WriteFile("nan.pathset", withNan));
  EXPECT_EQ(ui.dialogs().errors, QStringList{kMessage});
  EXPECT_EQ(ui.doc().objectCount, 2u);
  EXPECT_NE(ui.form().MapImage(), MapPicture::BuiltInMap()) << "object 1's square is drawn";
  ui.ClickRow("Names", 2);
  EXPECT_EQ(ui.dialogs().errors, (QStringList{kMessage, kMessage}));
  EXPECT_EQ(ui.Grid("Ents")->RowCount(), 5) << "the point list shows the object";
  EXPECT_EQ(ui.FieldText("zEdit"), QStringLiteral("5"));
  EXPECT_EQ(ui.form().RefreshDepth(), 0);
}

TEST_F(UndrawablePointTest, TheCommandLineFileNamesIt) {
  auto dialogs = std::make_unique<ScriptedDialogs>();
  const ScriptedDialogs& reported = *dialogs;
  StartOptions options;
  options.file = ui.WriteFile("nan.pathset", withNan);
  const auto form = CreateEditor(options, std::move(dialogs));
  form->show();  // the message waits for the window to be on the screen
  ASSERT_TRUE(QTest::qWaitFor([&] { return !reported.errors.isEmpty(); }));
  EXPECT_EQ(reported.errors, QStringList{kMessage});
  EXPECT_EQ(form->Document().objectCount, 2u);
}

TEST_F(UndrawablePointTest, MergeKeepsTheObjectsAndNamesTheDocumentsObject) {
  ui.Load(ui.WriteFile("nan.pathset", two));
  ui.Merge(ui.WriteFile("more.pathset", withNan));
  EXPECT_EQ(
      ui.dialogs().errors,
      QStringList{"nan.pathset: object 4, point 2: x is nan and cannot be drawn on the map."});
  EXPECT_EQ(ui.doc().objectCount, 4u);
  EXPECT_EQ(ui.UndoSteps(), 1);
}

}  // namespace
}  // namespace qarn::testing
