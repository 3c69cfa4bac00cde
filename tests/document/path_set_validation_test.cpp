#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "document/errors.h"
#include "document/path_set_codec.h"
#include "path_set_bytes.h"

namespace qarn {
namespace {

using test::BufferWith;
using test::CountingPoints;
using test::PathSetBytes;

enum class Kind { kMalformed, kRange };

struct BadFile {
  std::string label;
  std::vector<uint8_t> image;
  Kind kind;
  std::string message;                     // the whole message, error kind included
  std::optional<int32_t> usedLength = {};  // overrides the image's length
};

void PrintTo(const BadFile& file, std::ostream* os) {
  *os << file.label;
}

std::vector<uint8_t> ObjectsWithoutPoints(uint32_t declared, int present) {
  PathSetBytes bytes;
  bytes.Header(0, declared, declared - 1);
  for (int k = 0; k < present; ++k) bytes.Object("o", {});
  return bytes.bytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> image, size_t bytes) {
  image.resize(image.size() - bytes);
  return image;
}

const auto kTwoObjects = PathSetBytes()
                             .Header(0, 2, 1)
                             .Object("a", CountingPoints(2))
                             .Object("b", CountingPoints(3))
                             .bytes;

std::vector<BadFile> BadFiles() {
  return {
      {"Empty",
       {},
       Kind::kMalformed,
       "the file is 0 bytes long, shorter than the 12-byte header of a path set."},
      {"ShortHeader",
       {1, 0, 0, 0, 1, 0, 0},
       Kind::kMalformed,
       "the file is 7 bytes long, shorter than the 12-byte header of a path set."},
      {"ElevenBytes", Cut(PathSetBytes().Header(0, 0, 0).bytes, 1), Kind::kMalformed,
       "the file is 11 bytes long, shorter than the 12-byte header of a path set."},
      {"ObjectCountAbove65535", PathSetBytes().Header(0, 65536, 0).bytes, Kind::kRange,
       "Range check error: the object count at byte 4 is 65536; a path set holds at most 65535 "
       "objects."},
      {"HugeObjectCount", PathSetBytes().Header(0, 0xFFFFFFFF, 0).bytes, Kind::kRange,
       "Range check error: the object count at byte 4 is 4294967295; a path set holds at most "
       "65535 objects."},
      {"MissingObjects", ObjectsWithoutPoints(3, 2), Kind::kMalformed,
       "object 3 at byte 100: the file ends before this object; the header declares 3."},
      {"HeaderOnlyButOneObject", ObjectsWithoutPoints(1, 0), Kind::kMalformed,
       "object 1 at byte 12: the file ends before this object; the header declares 1."},
      {"CutInsideAHead", Cut(kTwoObjects, 4 + 48 + 10), Kind::kMalformed,
       "object 2 at byte 88: the file ends at byte 118, inside the object's head."},
      {"CutInsidePoints", Cut(kTwoObjects, 20), Kind::kMalformed,
       "object 2 at byte 88 declares 3 points, but the file ends at byte 160, inside the object."},
      {"MissingTrailer", Cut(kTwoObjects, 4), Kind::kMalformed,
       "object 2 at byte 88 declares 3 points, but the file ends at byte 176, inside the object."},
      {"PointCount257", PathSetBytes().Header(0, 1, 0).Name("a").Word(257).Word(0).bytes,
       Kind::kRange,
       "object 1 at byte 12: Range check error: the point count is 257; an object holds at most "
       "256 points."},
      {"PointCount300InSecondObject",
       PathSetBytes()
           .Header(0, 2, 1)
           .Object("a", CountingPoints(5))
           .Name("b")
           .Word(300)
           .Word(0)
           .Append(std::vector<uint8_t>(300 * 16 + 4))
           .bytes,
       Kind::kRange,
       "object 2 at byte 136: Range check error: the point count is 300; an object holds at "
       "most 256 points."},
      {"HugePointCount", PathSetBytes().Header(0, 1, 0).Name("a").Word(0xFFFFFFFF).Word(0).bytes,
       Kind::kRange,
       "object 1 at byte 12: Range check error: the point count is 4294967295; an object holds "
       "at most 256 points."},
      // 1363 objects end at byte 59984; the 1364th would end at 60028, past the buffer.
      {"ObjectEndsPastTheBuffer", Cut(ObjectsWithoutPoints(1364, 1364), 27), Kind::kRange,
       "Range check error: object 1364 at byte 59984 would reach past byte 60000, the end of the "
       "file buffer."},
      {"PointsEndPastTheBuffer",
       PathSetBytes()
           .Append(ObjectsWithoutPoints(1363, 1362))
           .Name("x")
           .Word(2)
           .Word(0)
           .Append(std::vector<uint8_t>(17))
           .bytes,
       Kind::kRange,
       "Range check error: object 1363 at byte 59940 would reach past byte 60000, "
       "the end of the file buffer."},
      {"LargerThanTheBuffer", PathSetBytes().Header(0, 0, 0).bytes, Kind::kRange,
       "Range check error: the file is 60002 bytes long; the file buffer holds at most 60001 "
       "bytes.",
       60002},
      {"NegativeLength", PathSetBytes().Header(0, 0, 0).bytes, Kind::kRange,
       "Range check error: the file is -1 bytes long; the file buffer holds at most 60001 bytes.",
       -1},
  };
}

using Operation = std::function<void(const FileBuffer&, tHeader&)>;

struct NamedOperation {
  std::string label;
  Operation run;
};

void PrintTo(const NamedOperation& operation, std::ostream* os) {
  *os << operation.label;
}

class RefusedFileTest : public testing::TestWithParam<std::tuple<BadFile, NamedOperation>> {
 protected:
  // A document with content, so a refusal that clears or appends would show.
  static tHeader Existing() {
    tHeader doc;
    ParseBuffer(*BufferWith(kTwoObjects), doc);
    doc.leadingWord = 0x5555;
    doc.lastIndex = 42;
    return doc;
  }
};

TEST_P(RefusedFileTest, IsRefusedWithItsMessageAndTheDocumentStaysAsItWas) {
  const auto& [bad, operation] = GetParam();
  auto buffer = BufferWith(bad.image);
  if (bad.usedLength) buffer->usedLength = *bad.usedLength;
  tHeader doc = Existing();
  const tDesc* firstRecord = doc.records[0].get();
  std::string message;
  try {
    operation.run(*buffer, doc);
    FAIL() << "accepted";
  } catch (const MalformedFileError& e) {
    EXPECT_EQ(bad.kind, Kind::kMalformed);
    message = e.what();
  } catch (const RangeCheckError& e) {
    EXPECT_EQ(bad.kind, Kind::kRange);
    message = e.what();
  }
  EXPECT_EQ(message, bad.message);
  EXPECT_EQ(doc.leadingWord, 0x5555u);
  EXPECT_EQ(doc.lastIndex, 42u);
  EXPECT_EQ(doc.objectCount, 2u);
  ASSERT_EQ(doc.records.size(), 2u);
  EXPECT_EQ(doc.records[0].get(), firstRecord);
  EXPECT_EQ(SerializeToBytes(doc), SerializeToBytes(Existing()));
}

INSTANTIATE_TEST_SUITE_P(
    All, RefusedFileTest,
    testing::Combine(testing::ValuesIn(BadFiles()),
                     testing::Values(NamedOperation{"Validate",
                                                    [](const FileBuffer& b, tHeader&) {
                                                      ValidatePathSet(b);
                                                    }},
                                     NamedOperation{"Parse", ParseBuffer},
                                     NamedOperation{"Merge", MergeBuffer})),
    [](const auto& info) { return std::get<0>(info.param).label + std::get<1>(info.param).label; });

class AcceptedFileTest : public testing::Test {};

TEST_F(AcceptedFileTest, TrailingBytesAfterTheLastObject) {
  EXPECT_NO_THROW(ValidatePathSet(*BufferWith(PathSetBytes().Append(kTwoObjects).Word(1).bytes)));
  EXPECT_NO_THROW(ValidatePathSet(*BufferWith(PathSetBytes().Header(0, 0, 0).Word(1).bytes)));
}

TEST_F(AcceptedFileTest, ADocumentFillingTheWholeBufferWithOneSpareByte) {
  auto image = ObjectsWithoutPoints(1363, 1363);
  image.resize(kBufferSize, 0x7F);
  EXPECT_NO_THROW(ValidatePathSet(*BufferWith(image)));
}

TEST_F(AcceptedFileTest, ObjectWith256PointsEndingAtTheUsedLength) {
  EXPECT_NO_THROW(ValidatePathSet(
      *BufferWith(PathSetBytes().Header(0, 1, 0).Object("a", CountingPoints(256)).bytes)));
}

TEST_F(AcceptedFileTest, BytesBeyondTheUsedLengthAreNotRead) {
  // The buffer's old bytes would complete the object, but the file ended before them.
  const auto full = PathSetBytes().Header(0, 1, 0).Object("a", CountingPoints(1)).bytes;
  auto buffer = BufferWith(full);
  buffer->usedLength -= 4;
  EXPECT_THROW(ValidatePathSet(*buffer), MalformedFileError);
}

}  // namespace
}  // namespace qarn
