// Start-up state, Load, Save and Merge through the buttons, and refusals of bad files.
#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "document/path_set_codec.h"
#include "form_driver.h"

namespace qarn::testing {
namespace {

class FileCommandsTest : public ::testing::Test {
 protected:
  FormDriver ui;
  tHeader two = MakeDocument({MakeObject("giz_bridge01_l", {P(0, 0, 0, 0x83), P(10, 0, 0)}),
                              MakeObject("str_lamp_post_s", {P(-100, 2, 50, 0x7317)})});
};

TEST_F(FileCommandsTest, StartsEmptyWithCaptionAndOneEmptyRow) {
  EXPECT_EQ(ui.doc().objectCount, 0u);
  EXPECT_EQ(ui.Grid("Names")->RowCount(), 2);
  EXPECT_EQ(ui.Grid("Names")->GetCellDrawText(1, 1), QString());
  EXPECT_EQ(ui.ShownTitle(), QStringLiteral("QarnForm"));
  EXPECT_EQ(ui.form().MapImage(), MapPicture::BuiltInMap()) << "no marks at start";
  auto* scroll = ui.form().findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
  EXPECT_EQ(scroll->horizontalScrollBar()->value(), 505);
  EXPECT_EQ(scroll->verticalScrollBar()->value(), 525);
}

TEST_F(FileCommandsTest, LoadListsObjectsAndMarksEveryPoint) {
  ui.Load(ui.WriteFile("two.pathset", two));
  ASSERT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  EXPECT_EQ(ui.doc().objectCount, 2u);
  tKvStringGrid* names = ui.Grid("Names");
  EXPECT_EQ(names->RowCount(), 3);
  EXPECT_EQ(names->GetCellDrawText(0, 2), QStringLiteral("2"));
  EXPECT_EQ(names->GetCellDrawText(1, 2), QStringLiteral("str_lamp_post_s"));
  // A square outline around the point at world (0, 0, 0): pixel (1008, 940) is its centre.
  const QImage& map = ui.form().MapImage();
  EXPECT_EQ(map.pixelColor(1006, 938), QColor(0, 0, 0));
  EXPECT_EQ(map.pixelColor(1010, 942), QColor(0, 0, 0));
  EXPECT_NE(map.pixelColor(1008, 940), QColor(0, 0, 0)) << "the centre stays the map's";
}

TEST_F(FileCommandsTest, SaveWritesTheBytesLoaded) {
  const QString in = ui.WriteFile("in.pathset", two);
  ui.Load(in);
  const QString out = ui.TempPath("out.pathset");
  ui.Save(out);
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
  EXPECT_EQ(ui.ReadBytes(out), ui.ReadBytes(in));
}

TEST_F(FileCommandsTest, SaveBeforeAnythingWritesTwelveZeroBytes) {
  const QString out = ui.TempPath("empty.pathset");
  ui.Save(out);
  EXPECT_EQ(ui.ReadBytes(out), std::vector<uint8_t>(12, 0));
}

TEST_F(FileCommandsTest, SaveDialogProposesRoamFirstThenTheLastName) {
  ui.Save(ui.TempPath("a.pathset"));
  ui.Save(ui.TempPath("b.pathset"));
  ASSERT_EQ(ui.dialogs().proposedSaveNames.size(), 2);
  EXPECT_TRUE(ui.dialogs().proposedSaveNames[0].endsWith(QStringLiteral("/roam.pathset")));
  EXPECT_EQ(ui.dialogs().proposedSaveNames[1], ui.TempPath("a.pathset"));
}

TEST_F(FileCommandsTest, DialogsAreTitledAfterTheCommandAndStartWhereTheFilesAre) {
  const QString other = QDir(ui.TempPath("other")).absolutePath();
  ASSERT_TRUE(QDir().mkpath(other));
  const QString merged = QDir(other).filePath(QStringLiteral("b.pathset"));
  ui.WriteFile("other/b.pathset", two);
  ui.Merge(merged);  // before any file is open
  ui.Save(ui.TempPath("saved.pathset"));
  const QString opened = ui.WriteFile("a.pathset", two);
  ui.Load(opened);
  ui.Save(ui.TempPath("a.pathset"));
  ui.Merge(merged);
  EXPECT_EQ(ui.dialogs().openTitles, QStringList({"Merge", "Load", "Merge"}));
  EXPECT_EQ(
      ui.dialogs().proposedSaveNames,
      QStringList({QDir(other).filePath(QStringLiteral("roam.pathset")),  // the folder last used
                   opened}));                                             // the open file
  ASSERT_EQ(ui.dialogs().proposedOpenNames.size(), 3);
  EXPECT_EQ(ui.dialogs().proposedOpenNames[1], ui.TempPath("saved.pathset"));
  EXPECT_EQ(ui.dialogs().proposedOpenNames[2], opened);
}

TEST_F(FileCommandsTest, MergeAppendsAndNumbersOn) {
  ui.Load(ui.WriteFile("a.pathset", two));
  tHeader other = MakeDocument({MakeObject("sp_jumptrailer_f", {P(5, 0, 5)})});
  other.leadingWord = 0xABCD;
  ui.Merge(ui.WriteFile("b.pathset", other));
  ASSERT_EQ(ui.doc().objectCount, 3u);
  EXPECT_EQ(ui.doc().leadingWord, 0xABCDu);
  EXPECT_EQ(ui.doc().lastIndex, 2u);
  EXPECT_EQ(ui.Grid("Names")->GetCellDrawText(0, 3), QStringLiteral("3"));
  EXPECT_EQ(ui.Grid("Names")->GetCellDrawText(1, 3), QStringLiteral("sp_jumptrailer_f"));
}

TEST_F(FileCommandsTest, MergeIntoEmptyDocumentAddsTheObjects) {
  ui.Merge(ui.WriteFile("a.pathset", two));
  EXPECT_EQ(ui.doc().objectCount, 2u);
}

struct BadFile {
  const char* what;
  std::vector<uint8_t> bytes;
};

class BadFileTest : public FileCommandsTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadFileTest, IsRefusedWithTheDocumentIntact) {
  ui.Load(ui.WriteFile("good.pathset", two));
  const std::vector<uint8_t> before = ui.DocumentBytes();
  const QImage mapBefore = ui.form().MapImage();
  const QString bad = ui.WriteBytes("bad.pathset", GetParam().bytes);
  ui.Load(bad);
  ui.Merge(bad);
  ASSERT_EQ(ui.dialogs().errors.size(), 2) << GetParam().what;
  EXPECT_TRUE(ui.dialogs().errors[0].contains(QStringLiteral("bad.pathset")))
      << ui.dialogs().errors[0].toStdString();
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_EQ(ui.Grid("Names")->RowCount(), 3);
  EXPECT_EQ(ui.form().MapImage(), mapBefore);
}

std::vector<uint8_t> Truncated() {
  std::vector<uint8_t> bytes =
      SerializeToBytes(MakeDocument({MakeObject("a", {P(1, 2, 3), P(4, 5, 6)})}));
  bytes.resize(bytes.size() - 10);
  return bytes;
}

std::vector<uint8_t> TooManyPoints() {
  std::vector<uint8_t> bytes = SerializeToBytes(MakeDocument({MakeObject("a", {})}));
  bytes[12 + 32] = 0x01;  // 257 points
  bytes[12 + 33] = 0x01;
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, BadFileTest,
    ::testing::Values(BadFile{"short header", {1, 0, 0, 0, 0}}, BadFile{"truncated", Truncated()},
                      BadFile{"257 points", TooManyPoints()},
                      BadFile{"objects without bytes", {0, 0, 0, 0, 5, 0, 0, 0, 4, 0, 0, 0}},
                      BadFile{"larger than the buffer", std::vector<uint8_t>(60002, 0)}));

TEST_F(FileCommandsTest, MissingFileNamesTheFile) {
  ui.Load(ui.TempPath("nowhere.pathset"));
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].contains(QStringLiteral("nowhere.pathset")));
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing) {
  ui.Load(ui.WriteFile("a.pathset", two));
  const std::vector<uint8_t> before = ui.DocumentBytes();
  ui.dialogs().openAnswers.push_back(std::nullopt);
  ui.Click(QStringLiteral("LoadButton"));
  ui.dialogs().openAnswers.push_back(std::nullopt);
  ui.Click(QStringLiteral("Button2"));
  ui.dialogs().saveAnswers.push_back(std::nullopt);
  ui.Click(QStringLiteral("Button1"));
  EXPECT_EQ(ui.DocumentBytes(), before);
  EXPECT_TRUE(ui.dialogs().errors.isEmpty());
}

TEST_F(FileCommandsTest, SaveIntoMissingFolderFailsAndNamesTheFile) {
  ui.Load(ui.WriteFile("a.pathset", two));
  ui.Save(ui.TempPath("no/such/folder/x.pathset"));
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].contains(QStringLiteral("x.pathset")));
}

}  // namespace
}  // namespace qarn::testing
