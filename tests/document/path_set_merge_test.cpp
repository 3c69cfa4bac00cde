#include <gtest/gtest.h>

#include "document/errors.h"
#include "document/path_set_codec.h"
#include "path_set_bytes.h"

namespace qarn {
namespace {

using test::BufferWith;
using test::CountingPoints;
using test::PathSetBytes;

class MergeTest : public testing::Test {
 protected:
  void SetUp() override {
    ParseBuffer(*BufferWith(PathSetBytes()
                                .Header(0x1111, 2, 1)
                                .Object("first", CountingPoints(1))
                                .Object("second", CountingPoints(2))
                                .bytes),
                doc);
  }

  static std::vector<std::string> Names(const tHeader& doc) {
    std::vector<std::string> names;
    for (const auto& row : ObjectListRows(doc)) names.push_back(row.name);
    return names;
  }

  tHeader doc;
};

TEST_F(MergeTest, AppendsTheMergedObjectsInTheirOrder) {
  const tDesc* first = doc.records[0].get();
  MergeBuffer(*BufferWith(PathSetBytes()
                              .Header(0x2222, 3, 500)
                              .Object("third", CountingPoints(3), 7, 8)
                              .Object("fourth", {})
                              .Object("fifth", CountingPoints(256))
                              .bytes),
              doc);
  EXPECT_EQ(Names(doc), (std::vector<std::string>{"first", "second", "third", "fourth", "fifth"}));
  EXPECT_EQ(doc.objectCount, 5u);
  EXPECT_EQ(doc.lastIndex, 4u) << "the last index is the total - 1, not the merged file's";
  EXPECT_EQ(doc.leadingWord, 0x2222u) << "the leading word is the merged file's";
  EXPECT_EQ(doc.records[0].get(), first) << "existing records are not rebuilt";
  EXPECT_EQ(doc.Object(3).headWord, 7u);
  EXPECT_EQ(doc.Object(3).trailerWord, 8u);
  EXPECT_EQ(doc.Object(5).pointCount, 256u);
  EXPECT_EQ(doc.Object(5).Point(256).x, 384.0f);
}

TEST_F(MergeTest, RowsAreNumberedOneToTheTotal) {
  MergeBuffer(*BufferWith(PathSetBytes().Header(0, 1, 0).Object("third", {}).bytes), doc);
  const auto rows = ObjectListRows(doc);
  ASSERT_EQ(rows.size(), 3u);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(rows[static_cast<size_t>(k - 1)].number, k);
}

TEST_F(MergeTest, MergedDocumentSerialisesAsBothFilesInOrder) {
  const auto mergedFile = PathSetBytes().Header(9, 1, 0).Object("third", CountingPoints(4)).bytes;
  const auto before = SerializeToBytes(doc);
  MergeBuffer(*BufferWith(mergedFile), doc);
  const auto expected = PathSetBytes()
                            .Header(9, 3, 2)
                            .Append({before.begin() + 12, before.end()})
                            .Append({mergedFile.begin() + 12, mergedFile.end()})
                            .bytes;
  EXPECT_EQ(SerializeToBytes(doc), expected);
}

TEST_F(MergeTest, FileWithoutObjectsAddsNothingButTakesItsLeadingWord) {
  MergeBuffer(*BufferWith(PathSetBytes().Header(0x3333, 0, 0xABCD).bytes), doc);
  EXPECT_EQ(Names(doc), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(doc.objectCount, 2u);
  EXPECT_EQ(doc.lastIndex, 1u);
  EXPECT_EQ(doc.leadingWord, 0x3333u);
}

TEST_F(MergeTest, IntoAnEmptyDocument) {
  tHeader empty;
  MergeBuffer(*BufferWith(PathSetBytes().Header(4, 1, 77).Object("only", {}).bytes), empty);
  EXPECT_EQ(Names(empty), std::vector<std::string>{"only"});
  EXPECT_EQ(empty.objectCount, 1u);
  EXPECT_EQ(empty.lastIndex, 0u);
  EXPECT_EQ(empty.leadingWord, 4u);
}

TEST_F(MergeTest, NothingIntoNothingOverflowsAfterTakingTheHeaderWords) {
  tHeader empty;
  empty.leadingWord = 1;
  empty.lastIndex = 2;
  EXPECT_THROW(MergeBuffer(*BufferWith(PathSetBytes().Header(0x4444, 0, 0x5555).bytes), empty),
               OverflowError);
  EXPECT_EQ(empty.leadingWord, 0x4444u);
  EXPECT_EQ(empty.lastIndex, 0x5555u);
  EXPECT_EQ(empty.objectCount, 0u);
  EXPECT_TRUE(empty.records.empty());
}

TEST_F(MergeTest, TheSameFileTwice) {
  const auto file = PathSetBytes().Header(0, 1, 0).Object("again", CountingPoints(2)).bytes;
  MergeBuffer(*BufferWith(file), doc);
  MergeBuffer(*BufferWith(file), doc);
  EXPECT_EQ(Names(doc), (std::vector<std::string>{"first", "second", "again", "again"}));
  EXPECT_EQ(doc.lastIndex, 3u);
  EXPECT_NE(doc.records[2].get(), doc.records[3].get());
}

}  // namespace
}  // namespace qarn
