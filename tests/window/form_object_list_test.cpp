// Adding, copying, deleting, continuing and reordering objects with the buttons above the lists.
#include <gtest/gtest.h>

#include "document/path_set_codec.h"
#include "document/path_set_layout.h"
#include "form_driver.h"

namespace qarn::testing {
namespace {

using Position = std::array<float, 3>;

// One object as the file holds it: name, counts, words and its points.
std::vector<uint8_t> RecordBytes(const tDesc& object) {
  const std::vector<uint8_t> file = SerializeToBytes(MakeDocument({object}));
  return {file.begin() + layout::kHeaderBytes, file.end()};
}

tDesc Numbered(int k) {
  tDesc object = MakeObject("object" + std::to_string(k),
                            {P(static_cast<float>(k), 1, 2, 0x100u + static_cast<uint32_t>(k)),
                             P(static_cast<float>(k), 1, 12, 0x200)});
  object.headWord = 0xA0u + static_cast<uint32_t>(k);
  object.trailerWord = 0xB0u + static_cast<uint32_t>(k);
  return object;
}

class ObjectListTest : public ::testing::Test {
 protected:
  void Load(const tHeader& doc) {
    ui.Load(ui.WriteFile("objects.pathset", doc));
    ASSERT_TRUE(ui.dialogs().errors.isEmpty());
    original = SerializeToBytes(doc);
  }
  void LoadFive() {
    Load(MakeDocument({Numbered(1), Numbered(2), Numbered(3), Numbered(4), Numbered(5)}));
  }
  QStringList Names() { return ui.Column("Names", 1); }
  int Row() { return ui.Grid("Names")->Row(); }
  std::vector<uint8_t> Record(int k) { return RecordBytes(ui.doc().Object(k)); }
  void ExpectNoErrors() {
    EXPECT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  }
  void ExpectCountsInStep(uint32_t count) {
    EXPECT_EQ(ui.doc().objectCount, count);
    EXPECT_EQ(ui.doc().lastIndex, count - 1);
    EXPECT_EQ(ui.Grid("Names")->RowCount(), static_cast<int>(count) + 1);
  }
  FormDriver ui;
  std::vector<uint8_t> original;
};

// --- add a copy

TEST_F(ObjectListTest, FirstObjectOfAnEmptyDocumentGetsTheDefaultPoints) {
  ui.Click("SpeedButton1");  // nothing loaded: the document has no objects
  ExpectNoErrors();
  ExpectCountsInStep(1);
  const tDesc& object = ui.doc().Object(1);
  EXPECT_EQ(object.DisplayName(), "");
  ASSERT_EQ(object.pointCount, 2u);
  EXPECT_EQ(Xyz(object.Point(1)), (Position{0, 0, 0}));
  EXPECT_EQ(Xyz(object.Point(2)), (Position{10, 0, 0}));
  EXPECT_EQ(object.Point(1).flags | object.Point(2).flags, 0u);
  EXPECT_EQ(Row(), 1);
  EXPECT_EQ(ui.Grid("Ents")->RowCount(), 3);
  EXPECT_EQ(ui.Float("Lenge")->Value(), 10) << "the new object is shown";
}

TEST_F(ObjectListTest, FirstObjectOfALoadedEmptyPathSet) {
  Load(MakeDocument({}));
  ui.Click("SpeedButton1");
  ExpectNoErrors();
  ExpectCountsInStep(1);
  EXPECT_EQ(ui.doc().Object(1).pointCount, 2u);
  EXPECT_EQ(Row(), 1);
}

TEST_F(ObjectListTest, CopyGoesRightAfterTheSelectedObjectAndIsSelected) {
  LoadFive();
  ui.ClickRow("Names", 2);
  const std::vector<uint8_t> second = Record(2);
  ui.Click("SpeedButton1");
  ExpectNoErrors();
  ExpectCountsInStep(6);
  EXPECT_EQ(Names(),
            QStringList({"object1", "object2", "object2", "object3", "object4", "object5"}));
  EXPECT_EQ(Record(3), second) << "name, points and both words";
  EXPECT_EQ(ui.doc().Object(3).headWord, 0xA2u);
  EXPECT_EQ(ui.doc().Object(3).trailerWord, 0xB2u);
  EXPECT_EQ(Row(), 3);
  EXPECT_EQ(Record(4), RecordBytes(Numbered(3)));
  EXPECT_EQ(Record(6), RecordBytes(Numbered(5)));
}

TEST_F(ObjectListTest, CopyOfAnObjectWithoutPointsGetsTheDefaultPoints) {
  Load(MakeDocument({MakeObject("bare", {}), Numbered(2)}));
  ui.ClickRow("Names", 1);
  ui.Click("SpeedButton1");
  ExpectNoErrors();
  EXPECT_EQ(ui.doc().Object(1).pointCount, 0u) << "the original keeps none";
  const tDesc& copy = ui.doc().Object(2);
  EXPECT_EQ(copy.DisplayName(), "bare");
  ASSERT_EQ(copy.pointCount, 2u);
  EXPECT_EQ(Xyz(copy.Point(2)), (Position{10, 0, 0}));
}

// --- delete

TEST_F(ObjectListTest, TheOnlyObjectIsNeverDeleted) {
  Load(MakeDocument({Numbered(1)}));
  ui.ClickRow("Names", 1);
  ui.Click("SpeedButton2");
  ExpectNoErrors();
  EXPECT_EQ(ui.DocumentBytes(), original);
  EXPECT_EQ(ui.UndoSteps(), 0);
}

TEST_F(ObjectListTest, DeletingTheLastSelectsTheNewLast) {
  LoadFive();
  ui.ClickRow("Names", 5);
  ui.Click("SpeedButton2");
  ExpectNoErrors();
  ExpectCountsInStep(4);
  EXPECT_EQ(Names(), QStringList({"object1", "object2", "object3", "object4"}));
  EXPECT_EQ(Row(), 4);
  EXPECT_EQ(ui.Float("xEdit")->Value(), 4) << "object 4 is shown";
}

TEST_F(ObjectListTest, DeletingInTheMiddleKeepsTheRowOnTheNextObject) {
  Load(MakeDocument({Numbered(1), Numbered(2), Numbered(3)}));
  ui.ClickRow("Names", 2);
  ui.Click("SpeedButton2");
  ExpectNoErrors();
  ExpectCountsInStep(2);
  EXPECT_EQ(Names(), QStringList({"object1", "object3"}));
  EXPECT_EQ(Row(), 2);
  EXPECT_EQ(ui.Float("xEdit")->Value(), 3);
}

// --- continue the series

TEST_F(ObjectListTest, SeriesContinuesTheStepFromThePreviousObject) {
  Load(MakeDocument({MakeObject("a", {P(0, 1, 2, 0x1), P(0, 3, 4, 0x2)}),
                     MakeObject("b", {P(10, 1, 2, 0x5), P(10, 3, 4, 0x6)}),
                     MakeObject("c", {P(99, 9, 9)})}));
  ui.ClickRow("Names", 2);
  ui.Click("SpeedButton3");
  ExpectNoErrors();
  ExpectCountsInStep(4);
  EXPECT_EQ(Names(), QStringList({"a", "b", "b", "c"}));
  EXPECT_EQ(Row(), 3);
  const tDesc& next = ui.doc().Object(3);
  EXPECT_EQ(Xyz(next.Point(1)), (Position{20, 1, 2}));
  EXPECT_EQ(Xyz(next.Point(2)), (Position{20, 3, 4}));
  EXPECT_EQ(next.Point(1).flags, 0x5u);
  EXPECT_EQ(next.Point(2).flags, 0x6u);
}

TEST_F(ObjectListTest, SeriesBeyondTheShorterPreviousObjectDoublesThePoints) {
  Load(
      MakeDocument({MakeObject("a", {P(1, 1, 1)}), MakeObject("b", {P(3, 3, 3), P(0.5f, -2, 7)})}));
  ui.ClickRow("Names", 2);
  ui.Click("SpeedButton3");
  const tDesc& next = ui.doc().Object(3);
  EXPECT_EQ(Xyz(next.Point(1)), (Position{5, 5, 5}));
  EXPECT_EQ(Xyz(next.Point(2)), (Position{1, -4, 14}));
}

TEST_F(ObjectListTest, SeriesNeedsAnObjectBeforeTheSelectedOne) {
  LoadFive();
  ui.ClickRow("Names", 1);
  ui.Click("SpeedButton3");
  ExpectNoErrors();
  EXPECT_EQ(ui.DocumentBytes(), original);
  EXPECT_EQ(Row(), 1);
}

// --- move up and down

struct Reorder {
  const char* button;
  int selected;
  int expectedRow;
  const char* expectedOrder;
};

void PrintTo(const Reorder& r, std::ostream* out) {
  *out << r.button << " at " << r.selected;
}

class ReorderTest : public ObjectListTest, public ::testing::WithParamInterface<Reorder> {};

TEST_P(ReorderTest, MovesTheSelectedObjectAndKeepsItSelected) {
  const Reorder r = GetParam();
  Load(MakeDocument({Numbered(1), Numbered(2), Numbered(3)}));
  ui.ClickRow("Names", r.selected);
  const std::vector<uint8_t> moved = Record(r.selected);
  ui.Click(QString::fromLatin1(r.button));
  ExpectNoErrors();
  ExpectCountsInStep(3);
  EXPECT_EQ(Names().join(' '), QString::fromLatin1(r.expectedOrder));
  EXPECT_EQ(Row(), r.expectedRow);
  EXPECT_EQ(Record(r.expectedRow), moved);
  EXPECT_EQ(ui.Float("xEdit")->Value(), r.selected) << "the moved object is shown";
  EXPECT_EQ(ui.Grid("Names")->GetCellDrawText(0, 2), QStringLiteral("2")) << "numbers follow";
}

INSTANTIATE_TEST_SUITE_P(BothEnds, ReorderTest,
                         ::testing::Values(Reorder{"SpeedButton6", 1, 1, "object1 object2 object3"},
                                           Reorder{"SpeedButton6", 3, 2, "object1 object3 object2"},
                                           Reorder{"SpeedButton6", 2, 1, "object2 object1 object3"},
                                           Reorder{"SpeedButton7", 3, 3, "object1 object2 object3"},
                                           Reorder{"SpeedButton7", 1, 2, "object2 object1 object3"},
                                           Reorder{"SpeedButton7", 2, 3,
                                                   "object1 object3 object2"}));

TEST_F(ObjectListTest, MovesAtTheEndsAddNoUndoStep) {
  Load(MakeDocument({Numbered(1), Numbered(2)}));
  ui.ClickRow("Names", 1);
  ui.Click("SpeedButton6");
  ui.ClickRow("Names", 2);
  ui.Click("SpeedButton7");
  EXPECT_EQ(ui.DocumentBytes(), original);
  EXPECT_EQ(ui.UndoSteps(), 0);
}

// --- the file buffer's limit

class FullBufferTest : public ObjectListTest {
 protected:
  void SetUp() override {
    tHeader doc;
    for (int k = 1; k <= 14; ++k) {
      doc.records.push_back(std::make_unique<tDesc>(
          MakeLine("full" + std::to_string(k), 256, P(static_cast<float>(k), 0, 0), P(0, 0, 1))));
    }
    doc.objectCount = 14;
    doc.lastIndex = 13;
    Load(doc);
    ui.ClickRow("Names", 5);
  }
};

TEST_F(FullBufferTest, CopyThatWouldOverflowTheBufferIsRefusedAndSaveStillWorks) {
  const QStringList names = Names();
  ui.Click("SpeedButton1");
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  const QString message = ui.dialogs().errors[0];
  const size_t wouldBe = layout::kHeaderBytes + 15 * layout::BlockBytes(256);
  EXPECT_TRUE(message.startsWith(QStringLiteral("Range check error"))) << message.toStdString();
  EXPECT_TRUE(message.contains(QString::number(wouldBe))) << message.toStdString();
  EXPECT_TRUE(message.contains(QStringLiteral("60000 bytes"))) << message.toStdString();
  EXPECT_EQ(ui.DocumentBytes(), original);
  EXPECT_EQ(Names(), names);
  EXPECT_EQ(Row(), 5);
  EXPECT_EQ(ui.UndoSteps(), 0);

  const QString path = ui.TempPath("after.pathset");
  ui.Save(path);
  EXPECT_EQ(ui.dialogs().errors.size(), 1) << "the save went through";
  EXPECT_EQ(ui.ReadBytes(path), original);
}

TEST_F(FullBufferTest, SeriesThatWouldOverflowTheBufferIsRefused) {
  ui.Click("SpeedButton3");
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_EQ(ui.DocumentBytes(), original);
  EXPECT_EQ(Row(), 5);
  ui.Click("SpeedButton2");  // the document still takes commands
  ExpectCountsInStep(13);
  ui.Click("SpeedButton1");
  EXPECT_EQ(ui.dialogs().errors.size(), 1);
  ExpectCountsInStep(14);
}

}  // namespace
}  // namespace qarn::testing
