#include "document/path_set_records.h"

#include <gtest/gtest.h>

#include "document/errors.h"

namespace qarn {
namespace {

TEST(PathSetRecords, AssignCopiesSlotsBeyondTheCountAndNameBytesAfterTheZero) {
  tDesc source;
  source.name = {'a', 0, 'z'};
  source.pointCount = 1;
  source.Point(200) = {5, 6, 7, 8};
  source.trailerWord = 3;
  tDesc copy;
  copy.Assign(source);
  EXPECT_EQ(copy.name[2], 'z');
  EXPECT_EQ(copy.Point(200).z, 8.0f);
  EXPECT_EQ(copy.trailerWord, 3u);
  EXPECT_EQ(copy.DisplayName(), "a");
}

TEST(PathSetRecords, PointNumbersRunFrom1To256) {
  tDesc record;
  EXPECT_NO_THROW(record.Point(256));
  EXPECT_THROW(record.Point(257), RangeCheckError);
  EXPECT_THROW(record.Point(0), RangeCheckError);
}

TEST(PathSetRecords, SlotsNeverWrittenReadAsZeroAndTheFirstWriteKeepsThemZero) {
  tDesc record;
  const tDesc& reader = record;
  EXPECT_TRUE(reader.Slots().empty());
  EXPECT_EQ(reader.Point(256).flags, 0u);
  EXPECT_THROW(reader.Point(257), RangeCheckError);
  record.Point(3).x = 1.5f;
  ASSERT_EQ(reader.Slots().size(), 256u);
  for (int k : {1, 2, 4, 256}) EXPECT_EQ(reader.Point(k).x, 0.0f) << k;
  EXPECT_EQ(reader.Point(3).x, 1.5f);
}

TEST(PathSetRecords, ClearRecordsKeepsTheLeadingWordAndLastIndex) {
  tHeader doc;
  doc.leadingWord = 5;
  doc.lastIndex = 6;
  doc.ClearRecords();
  EXPECT_EQ(doc.objectCount, 0u);
  doc.InsertNew(1);
  doc.ClearRecords();
  EXPECT_TRUE(doc.records.empty());
  EXPECT_EQ(doc.leadingWord, 5u);
  EXPECT_EQ(doc.lastIndex, 0u) << "the insert set it to count - 1";
}

TEST(PathSetRecords, InsertAndRemoveKeepTheCountsInStep) {
  tHeader doc;
  doc.InsertNew(1).name[0] = 'b';
  doc.InsertNew(1).name[0] = 'a';
  EXPECT_EQ(doc.objectCount, 2u);
  EXPECT_EQ(doc.lastIndex, 1u);
  EXPECT_EQ(doc.Object(1).DisplayName(), "a");
  doc.Remove(1);
  EXPECT_EQ(doc.Object(1).DisplayName(), "b");
  EXPECT_EQ(doc.objectCount, 1u);
  EXPECT_THROW(doc.Object(2), ListIndexError);
}

TEST(PathSetRecords, CopyIsDeep) {
  tHeader doc;
  doc.InsertNew(1).pointCount = 3;
  tHeader copy(doc);
  copy.Object(1).pointCount = 4;
  EXPECT_EQ(doc.Object(1).pointCount, 3u);
}

}  // namespace
}  // namespace qarn
