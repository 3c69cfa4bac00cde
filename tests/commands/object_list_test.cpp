#include "commands/object_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/type_and_flags.h"
#include "document/errors.h"
#include "test_objects.h"

namespace qarn {
namespace {

using testing_objects::ObjectOnXAxis;
using testing_objects::SameBytes;

// A document of objects named "o1", "o2", ... whose points and carried words tell them apart.
class ObjectListTest : public ::testing::Test {
 protected:
  static tHeader DocumentOf(int count) {
    tHeader doc;
    for (int k = 1; k <= count; ++k) {
      tDesc& object = doc.InsertNew(k);
      object = ObjectOnXAxis(k + 1);
      SetObjectName(object, "o" + std::to_string(k));
      object.name[20] = static_cast<uint8_t>(k);  // a byte after the name's end
      object.headWord = 100u + static_cast<uint32_t>(k);
      object.trailerWord = 200u + static_cast<uint32_t>(k);
      object.Point(201).z = static_cast<float>(k);  // a slot beyond the count
    }
    return doc;
  }

  static std::vector<std::string> Names(const tHeader& doc) {
    std::vector<std::string> names;
    for (const auto& record : doc.records) names.push_back(record->DisplayName());
    return names;
  }

  static void ExpectCounts(const tHeader& doc, uint32_t count) {
    EXPECT_EQ(doc.records.size(), count);
    EXPECT_EQ(doc.objectCount, count);
    EXPECT_EQ(doc.lastIndex, count - 1);
  }

  static bool SameDocument(const tHeader& a, const tHeader& b) {
    if (a.records.size() != b.records.size() || a.objectCount != b.objectCount) return false;
    for (size_t i = 0; i < a.records.size(); ++i) {
      if (!SameBytes(*a.records[i], *b.records[i])) return false;
    }
    return a.lastIndex == b.lastIndex && a.leadingWord == b.leadingWord;
  }
};

TEST_F(ObjectListTest, AddToEmptyDocumentCreatesTheDefaultObject) {
  tHeader doc;
  EXPECT_EQ(AddObjectCopy(doc, 1), 1);
  ExpectCounts(doc, 1);
  tDesc expected;
  expected.pointCount = 2;
  expected.Point(2).x = 10;
  EXPECT_TRUE(SameBytes(doc.Object(1), expected));
}

TEST_F(ObjectListTest, AddCopiesTheSelectedObjectRightAfterIt) {
  tHeader doc = DocumentOf(5);
  const tDesc original = doc.Object(2);
  EXPECT_EQ(AddObjectCopy(doc, 2), 3);
  ExpectCounts(doc, 6);
  EXPECT_EQ(Names(doc), (std::vector<std::string>{"o1", "o2", "o2", "o3", "o4", "o5"}));
  EXPECT_TRUE(SameBytes(doc.Object(3), original));
  EXPECT_TRUE(SameBytes(doc.Object(2), original));
}

TEST_F(ObjectListTest, CopyOfAnObjectWithoutPointsGetsTheDefaultPoints) {
  tHeader doc = DocumentOf(1);
  doc.Object(1) = tDesc{};
  AddObjectCopy(doc, 1);
  EXPECT_EQ(doc.Object(1).pointCount, 0u);
  EXPECT_EQ(doc.Object(2).pointCount, 2u);
  EXPECT_EQ(doc.Object(2).Point(2).x, 10.0f);
}

TEST_F(ObjectListTest, AddWithoutAValidRowChangesNothing) {
  tHeader doc = DocumentOf(2);
  const tHeader before = doc;
  EXPECT_THROW(AddObjectCopy(doc, 0), ListIndexError);
  EXPECT_THROW(AddObjectCopy(doc, 3), ListIndexError);
  EXPECT_TRUE(SameDocument(doc, before));
}

TEST_F(ObjectListTest, DeleteKeepsTheLastObject) {
  tHeader doc = DocumentOf(1);
  EXPECT_EQ(DeleteObject(doc, 1), std::nullopt);
  ExpectCounts(doc, 1);
  tHeader empty;
  EXPECT_EQ(DeleteObject(empty, 1), std::nullopt);
}

struct DeleteCase {
  int row;
  int newRow;
  std::vector<std::string> names;
};

class DeleteObjectTest : public ObjectListTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteObjectTest, RemovesTheSelectedObjectAndKeepsARowSelected) {
  tHeader doc = DocumentOf(3);
  EXPECT_EQ(DeleteObject(doc, GetParam().row), GetParam().newRow);
  ExpectCounts(doc, 2);
  EXPECT_EQ(Names(doc), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteObjectTest,
                         ::testing::Values(DeleteCase{1, 1, {"o2", "o3"}},
                                           DeleteCase{2, 2, {"o1", "o3"}},
                                           DeleteCase{3, 2, {"o1", "o2"}}));

TEST_F(ObjectListTest, DeleteOfARowThatIsNoObjectChangesNothing) {
  tHeader doc = DocumentOf(3);
  const tHeader before = doc;
  EXPECT_THROW(DeleteObject(doc, 4), ListIndexError);
  EXPECT_TRUE(SameDocument(doc, before));
}

TEST_F(ObjectListTest, ContinueSeriesRepeatsTheStepFromThePreviousObject) {
  tHeader doc = DocumentOf(2);
  tDesc& first = doc.Object(1);
  tDesc& second = doc.Object(2);
  first.pointCount = second.pointCount;
  for (int k = 1; k <= 3; ++k) {
    first.Point(k) = {0, 0, 5, -static_cast<float>(k)};
    second.Point(k) = {static_cast<uint32_t>(0x10 + k), 10, 5, -static_cast<float>(k)};
  }
  EXPECT_EQ(ContinueSeries(doc, 2), 3);
  ExpectCounts(doc, 3);
  const tDesc& next = doc.Object(3);
  EXPECT_EQ(next.DisplayName(), "o2");
  EXPECT_EQ(next.headWord, second.headWord);
  for (int k = 1; k <= 3; ++k) {
    const tPoint& p = next.Point(k);
    EXPECT_EQ(p.flags, static_cast<uint32_t>(0x10 + k));
    EXPECT_EQ(p.x, 20.0f);
    EXPECT_EQ(p.y, 5.0f);
    EXPECT_EQ(p.z, -static_cast<float>(k));
  }
}

TEST_F(ObjectListTest, ContinueSeriesBeyondThePreviousObjectsPointsDoublesTheSelected) {
  tHeader doc = DocumentOf(2);  // two points then three
  doc.Object(2).Point(3) = {0, 7, -3, 1.5f};
  ContinueSeries(doc, 2);
  const tPoint& beyond = doc.Object(3).Point(3);
  EXPECT_EQ(beyond.x, 14.0f);
  EXPECT_EQ(beyond.y, -6.0f);
  EXPECT_EQ(beyond.z, 3.0f);
}

TEST_F(ObjectListTest, ContinueSeriesRoundsTheStepBeforeAddingIt) {
  tHeader doc = DocumentOf(2);
  // The step 2^24 + 0.75 is 2^24 as a float; unrounded, the sum would come to 2^24 + 2.
  doc.Object(1).Point(1).x = -16777216.0f;
  doc.Object(2).Point(1).x = 0.75f;
  ContinueSeries(doc, 2);
  EXPECT_EQ(doc.Object(3).Point(1).x, 16777216.0f);
}

TEST_F(ObjectListTest, ContinueSeriesNeedsAPreviousObject) {
  tHeader doc = DocumentOf(2);
  const tHeader before = doc;
  EXPECT_EQ(ContinueSeries(doc, 1), std::nullopt);
  EXPECT_EQ(ContinueSeries(doc, 0), std::nullopt);
  EXPECT_THROW(ContinueSeries(doc, 3), ListIndexError);
  EXPECT_TRUE(SameDocument(doc, before));
}

TEST_F(ObjectListTest, ContinueSeriesThatLeavesTheFloatRangeAddsNothing) {
  tHeader doc = DocumentOf(2);
  doc.Object(1).Point(1).x = -3e38f;
  doc.Object(2).Point(1).x = 3e38f;
  const tHeader before = doc;
  EXPECT_THROW(ContinueSeries(doc, 2), OverflowError);
  EXPECT_TRUE(SameDocument(doc, before));
}

TEST_F(ObjectListTest, MovesStopAtTheEndsOfTheList) {
  tHeader doc = DocumentOf(3);
  EXPECT_EQ(MoveObjectUp(doc, 1), std::nullopt);
  EXPECT_EQ(MoveObjectDown(doc, 3), std::nullopt);
  EXPECT_EQ(Names(doc), (std::vector<std::string>{"o1", "o2", "o3"}));
}

TEST_F(ObjectListTest, MoveDownAndUpCarryTheSelection) {
  tHeader doc = DocumentOf(3);
  EXPECT_EQ(MoveObjectDown(doc, 1), 2);
  EXPECT_EQ(Names(doc), (std::vector<std::string>{"o2", "o1", "o3"}));
  EXPECT_EQ(MoveObjectUp(doc, 3), 2);
  EXPECT_EQ(Names(doc), (std::vector<std::string>{"o2", "o3", "o1"}));
  ExpectCounts(doc, 3);
}

struct InsertCase {
  int row;
  int first;
  std::vector<std::string> names;
};

class InsertObjectsTest : public ObjectListTest,
                          public ::testing::WithParamInterface<InsertCase> {};

// Objects "o1" and "o2" of a second document go in after the current row; a row that is no
// object puts them at the end. Every byte comes along.
TEST_P(InsertObjectsTest, InsertsCopiesAfterTheCurrentRow) {
  tHeader doc = DocumentOf(3);
  const tHeader pasted = DocumentOf(2);
  EXPECT_EQ(InsertObjects(doc, GetParam().row, pasted), GetParam().first);
  ExpectCounts(doc, 5);
  EXPECT_EQ(Names(doc), GetParam().names);
  EXPECT_TRUE(SameBytes(doc.Object(GetParam().first + 1), pasted.Object(2)));
}

INSTANTIATE_TEST_SUITE_P(Rows, InsertObjectsTest,
                         ::testing::Values(InsertCase{1, 2, {"o1", "o1", "o2", "o2", "o3"}},
                                           InsertCase{3, 4, {"o1", "o2", "o3", "o1", "o2"}},
                                           InsertCase{0, 4, {"o1", "o2", "o3", "o1", "o2"}},
                                           InsertCase{9, 4, {"o1", "o2", "o3", "o1", "o2"}}));

}  // namespace
}  // namespace qarn
