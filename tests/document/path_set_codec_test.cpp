#include "document/path_set_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "document/errors.h"
#include "path_set_bytes.h"

namespace qarn {
namespace {

using test::BufferWith;
using test::CountingPoints;
using test::PathSetBytes;

// The 72-byte file of one object "abc" with one point (flags 0x83, 1.0, -3.5, 2.0).
const std::vector<uint8_t> kWorkedExample = {
    0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // header
    'a',  'b',  'c',  0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // name ...
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                          // ... 32 bytes
    0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                          // count, head
    0x83, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x60, 0xC0,  // flags, x, y
    0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00,                          // z, trailer
};

tDesc& AddObject(tHeader& doc, std::string_view name, int points) {
  tDesc& record = doc.InsertNew(static_cast<int>(doc.records.size()) + 1);
  std::copy(name.begin(), name.end(), record.name.begin());
  record.pointCount = static_cast<uint32_t>(points);
  for (int j = 1; j <= points; ++j) record.Point(j) = {static_cast<uint32_t>(j), 1.0f * j, 2, 3};
  return record;
}

tHeader Parsed(const std::vector<uint8_t>& image) {
  tHeader doc;
  ParseBuffer(*BufferWith(image), doc);
  return doc;
}

// Parse then serialise: the bytes a load followed by a save would write.
std::vector<uint8_t> RoundTrip(const std::vector<uint8_t>& image) {
  return SerializeToBytes(Parsed(image));
}

TEST(PathSetCodec, WritesTheWorkedExampleByteForByte) {
  tHeader doc;
  tDesc& record = AddObject(doc, "abc", 0);
  record.pointCount = 1;
  record.Point(1) = {0x83, 1.0f, -3.5f, 2.0f};
  auto buffer = std::make_unique<FileBuffer>();
  SerializeDocument(doc, *buffer);
  EXPECT_EQ(buffer->usedLength, 72);
  EXPECT_EQ(buffer->Image(), kWorkedExample);
}

TEST(PathSetCodec, ReadsTheWorkedExampleIntoFields) {
  const tHeader doc = Parsed(kWorkedExample);
  ASSERT_EQ(doc.objectCount, 1u);
  ASSERT_EQ(doc.records.size(), 1u);
  const tDesc& record = doc.Object(1);
  EXPECT_EQ(record.DisplayName(), "abc");
  EXPECT_EQ(record.pointCount, 1u);
  EXPECT_EQ(record.Point(1).flags, 0x83u);
  EXPECT_EQ(record.Point(1).x, 1.0f);
  EXPECT_EQ(record.Point(1).y, -3.5f);
  EXPECT_EQ(record.Point(1).z, 2.0f);
}

TEST(PathSetCodec, TwoObjectsOfThreeAndNoPointsTake148Bytes) {
  const auto image = PathSetBytes()
                         .Header(0, 2, 1)
                         .Object("giz_bridge01_l", CountingPoints(3))
                         .Object("str_lamp_post_s", {})
                         .bytes;
  ASSERT_EQ(image.size(), 148u);
  const tHeader doc = Parsed(image);
  EXPECT_EQ(SerializedSize(doc), 148u);
  EXPECT_EQ(SerializeToBytes(doc), image);
  EXPECT_EQ(doc.Object(2).DisplayName(), "str_lamp_post_s");
  EXPECT_EQ(doc.Object(1).Point(3).z, -9.0f);
}

TEST(PathSetCodec, EmptyDocumentIsTheTwelveHeaderBytes) {
  tHeader doc;
  doc.leadingWord = 0xA1B2C3D4;
  doc.lastIndex = 0xFFFFFFFF;
  const auto expected = PathSetBytes().Header(0xA1B2C3D4, 0, 0xFFFFFFFF).bytes;
  EXPECT_EQ(SerializeToBytes(doc), expected);
  EXPECT_EQ(RoundTrip(expected), expected);
}

TEST(PathSetCodec, SerializeSetsTheUsedLengthAndKeepsLaterBytes) {
  auto buffer = BufferWith(std::vector<uint8_t>(500, 0xEE));
  tHeader doc;
  AddObject(doc, "a", 2);
  SerializeDocument(doc, *buffer);
  EXPECT_EQ(buffer->usedLength, 12 + 44 + 32);
  EXPECT_EQ(buffer->bytes[88], 0xEE);
}

// Loading and saving without edits must give back every byte the codec carries through.
class RoundTripTest : public testing::TestWithParam<std::vector<uint8_t>> {};

TEST_P(RoundTripTest, ParseThenSerializeGivesTheSameBytes) {
  EXPECT_EQ(RoundTrip(GetParam()), GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Files, RoundTripTest,
    testing::Values(
        // 32 non-zero name bytes, no terminating zero
        PathSetBytes().Header(0, 1, 0).Object("sp_jumptrailer_f_0123456789abcde", {}).bytes,
        // bytes after the first zero of a name
        PathSetBytes().Header(0, 1, 0).Name("ab", 0x00).Word(0).Word(0).Word(0).bytes,
        PathSetBytes()
            .Header(0, 1, 0)
            .Name(std::string_view("ab\0garbage\x7f\x80\xff", 14))
            .Word(0)
            .Word(0)
            .Word(0)
            .bytes,
        // 256 points
        PathSetBytes().Header(0, 1, 0).Object("full", CountingPoints(256)).bytes,
        // leading word, last index, head and trailer words of any value
        PathSetBytes()
            .Header(0xDEADBEEF, 2, 77)
            .Object("a", CountingPoints(1), 0x01020304, 0xFFFFFFFF)
            .Object("b", {}, 0x80000000, 0x00000001)
            .bytes,
        // float bit patterns that arithmetic could change: NaNs, infinity, negative zero, denormal
        PathSetBytes()
            .Header(0, 1, 0)
            .Name("nan")
            .Word(2)
            .Word(0)
            .Word(1)
            .Word(0x7F800001)
            .Word(0xFFC00001)
            .Word(0x80000000)
            .Word(2)
            .Word(0x7F800000)
            .Word(0x00000001)
            .Word(0x7FBFFFFF)
            .Word(0)
            .bytes));

TEST(PathSetCodec, NameOf32NonZeroBytesIsA32CharacterName) {
  const tHeader doc =
      Parsed(PathSetBytes().Header(0, 1, 0).Object("abcdefghijklmnopqrstuvwxyz012345", {}).bytes);
  EXPECT_EQ(doc.Object(1).DisplayName(), "abcdefghijklmnopqrstuvwxyz012345");
}

TEST(PathSetCodec, NameEndsAtTheFirstZeroByte) {
  const tHeader doc =
      Parsed(PathSetBytes().Header(0, 1, 0).Name("ab", 'x').Word(0).Word(0).Word(0).bytes);
  EXPECT_EQ(doc.Object(1).DisplayName(), "abxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");
  const tHeader zeroFirst = Parsed(PathSetBytes()
                                       .Header(0, 1, 0)
                                       .Name(std::string_view("\0ab", 3))
                                       .Word(0)
                                       .Word(0)
                                       .Word(0)
                                       .bytes);
  EXPECT_EQ(zeroFirst.Object(1).DisplayName(), "");
  EXPECT_EQ(zeroFirst.Object(1).name[1], 'a');
}

TEST(PathSetCodec, BytesAfterTheLastObjectAreDroppedByTheNextSerialisation) {
  const auto wellFormed = PathSetBytes().Header(0, 1, 0).Object("a", CountingPoints(2)).bytes;
  const auto withTail = PathSetBytes().Append(wellFormed).Word(0x12345678).Word(9).bytes;
  EXPECT_EQ(RoundTrip(withTail), wellFormed);
}

// Parsing reuses the document's records; what they held before must not show through, the slots
// a record's old point count used beyond its new one included.
TEST(PathSetCodec, ParsedRecordsAreTheSameWhateverTheDocumentHeldBefore) {
  const auto file = PathSetBytes()
                        .Header(0, 3, 2)
                        .Object("a", CountingPoints(1), 1, 2)
                        .Object("b", {})
                        .Object("c", CountingPoints(7))
                        .bytes;
  for (int before : {0, 1, 3, 5}) {
    tHeader doc;
    for (int k = 1; k <= before; ++k) {
      tDesc& junk = AddObject(doc, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", 256);
      junk.headWord = junk.trailerWord = 0xFFFFFFFF;
    }
    ParseBuffer(*BufferWith(file), doc);
    const tHeader fresh = Parsed(file);
    ASSERT_EQ(doc.records.size(), 3u) << before;
    for (int k = 1; k <= 3; ++k) {
      const tDesc& got = std::as_const(doc).Object(k);
      const tDesc& want = fresh.Object(k);
      EXPECT_TRUE(got.name == want.name && got.pointCount == want.pointCount &&
                  got.headWord == want.headWord && got.trailerWord == want.trailerWord)
          << "object " << k << " after a document of " << before;
      for (int slot = 1; slot <= kMaxPoints; ++slot) {
        ASSERT_EQ(std::memcmp(&got.Point(slot), &want.Point(slot), sizeof(tPoint)), 0)
            << "object " << k << " slot " << slot << " after a document of " << before;
      }
    }
    EXPECT_EQ(fresh.Object(3).Point(8).flags, 0u);
  }
}

TEST(PathSetCodec, ParseReplacesEveryRecordAndHeaderWord) {
  tHeader doc;
  AddObject(doc, "old1", 5);
  AddObject(doc, "old2", 5);
  doc.leadingWord = 1;
  ParseBuffer(*BufferWith(PathSetBytes().Header(7, 1, 99).Object("new", {}).bytes), doc);
  EXPECT_EQ(doc.leadingWord, 7u);
  EXPECT_EQ(doc.objectCount, 1u);
  EXPECT_EQ(doc.lastIndex, 99u);
  ASSERT_EQ(doc.records.size(), 1u);
  EXPECT_EQ(doc.Object(1).DisplayName(), "new");
}

TEST(PathSetCodec, ObjectListRowsNumberTheObjectsFromOne) {
  const tHeader doc = Parsed(PathSetBytes()
                                 .Header(0, 3, 2)
                                 .Object("giz_bridge01_l", {})
                                 .Object("", {})
                                 .Object("str_lamp_post_s", {})
                                 .bytes);
  const auto rows = ObjectListRows(doc);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].number, 1);
  EXPECT_EQ(rows[0].name, "giz_bridge01_l");
  EXPECT_EQ(rows[1].name, "");
  EXPECT_EQ(rows[2].number, 3);
  EXPECT_EQ(rows[2].name, "str_lamp_post_s");
}

// The largest documents: the file buffer holds at most 60000 bytes of path set.
class CapacityTest : public testing::Test {
 protected:
  // A document of `objects` objects with `points` points each.
  static tHeader Filled(int objects, int points) {
    tHeader doc;
    for (int k = 0; k < objects; ++k) AddObject(doc, "o", points);
    return doc;
  }

  // Serialising `doc` into a buffer full of old bytes must be refused and change nothing.
  static void ExpectRefused(const tHeader& doc, const std::string& size) {
    auto buffer = BufferWith(std::vector<uint8_t>(kBufferSize, 0xA5));
    buffer->usedLength = 1234;
    const auto before = std::make_unique<FileBuffer>(*buffer);
    const auto docBefore = SerializedSize(doc);
    try {
      SerializeDocument(doc, *buffer);
      FAIL() << "a document of " << size << " bytes was accepted";
    } catch (const RangeCheckError& e) {
      EXPECT_EQ(std::string(e.what()), "Range check error: the path set would be " + size +
                                           " bytes long; a path set holds at most 60000 bytes.");
    }
    EXPECT_EQ(buffer->usedLength, 1234);
    EXPECT_TRUE(buffer->bytes == before->bytes) << "bytes were written before the refusal";
    EXPECT_EQ(SerializedSize(doc), docBefore);
  }
};

TEST_F(CapacityTest, FourteenFullObjectsFitAndAFifteenthDoesNot) {
  tHeader doc = Filled(14, 256);
  auto buffer = std::make_unique<FileBuffer>();
  SerializeDocument(doc, *buffer);
  EXPECT_EQ(buffer->usedLength, 12 + 14 * (44 + 16 * 256));
  tHeader parsed;
  ParseBuffer(*buffer, parsed);
  EXPECT_EQ(SerializeToBytes(parsed), buffer->Image());
  AddObject(doc, "o", 256);
  ExpectRefused(doc, "62112");
}

TEST_F(CapacityTest, ObjectsWithoutPointsFitUpTo1363) {
  tHeader doc = Filled(1363, 0);
  auto buffer = std::make_unique<FileBuffer>();
  SerializeDocument(doc, *buffer);
  EXPECT_EQ(buffer->usedLength, 59984);
  tHeader parsed;
  ParseBuffer(*buffer, parsed);
  EXPECT_EQ(parsed.objectCount, 1363u);
  AddObject(doc, "o", 0);
  ExpectRefused(doc, "60028");
}

TEST_F(CapacityTest, ExactlySixtyThousandBytesFit) {
  tHeader doc = Filled(1363, 0);
  doc.Object(1363).pointCount = 1;
  auto buffer = std::make_unique<FileBuffer>();
  SerializeDocument(doc, *buffer);
  EXPECT_EQ(buffer->usedLength, 60000);
  tHeader parsed;
  ParseBuffer(*buffer, parsed);
  EXPECT_EQ(SerializeToBytes(parsed), buffer->Image());
  doc.Object(1363).pointCount = 2;
  ExpectRefused(doc, "60016");
}

TEST_F(CapacityTest, SerializeToBytesRefusesWhatSerializeDocumentRefuses) {
  EXPECT_THROW(SerializeToBytes(Filled(15, 256)), RangeCheckError);
}

// Documents whose counts no file can carry are refused before anything is written.
TEST(PathSetCodecRefusal, PointCountAbove256) {
  tHeader doc;
  AddObject(doc, "a", 1);
  AddObject(doc, "b", 1).pointCount = 257;
  auto buffer = BufferWith(std::vector<uint8_t>(100, 0x11));
  try {
    SerializeDocument(doc, *buffer);
    FAIL();
  } catch (const RangeCheckError& e) {
    EXPECT_STREQ(e.what(),
                 "object 2: Range check error: the point count is 257; an object holds at most 256 "
                 "points.");
  }
  EXPECT_EQ(buffer->usedLength, 100);
  EXPECT_EQ(buffer->bytes[0], 0x11);
}

TEST(PathSetCodecRefusal, ObjectCountNotMatchingTheRecords) {
  tHeader doc;
  AddObject(doc, "a", 1);
  doc.objectCount = 2;
  auto buffer = std::make_unique<FileBuffer>();
  EXPECT_THROW(SerializeDocument(doc, *buffer), ListIndexError);
  EXPECT_EQ(buffer->usedLength, 0);
  doc.objectCount = 0;
  EXPECT_THROW(SerializeToBytes(doc), ListIndexError);
}

TEST(PathSetCodecRefusal, ObjectCountAbove65535) {
  tHeader doc;
  doc.objectCount = 65536;
  EXPECT_THROW(SerializeToBytes(doc), RangeCheckError);
}

}  // namespace
}  // namespace qarn
