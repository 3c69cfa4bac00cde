#include "fileio/path_set_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "document/errors.h"
#include "document/path_set_codec.h"
#include "odd_files.h"
#include "path_set_bytes.h"

namespace qarn {
namespace {

using test::BufferWith;
using test::CountingPoints;
using test::PathSetBytes;

const QString kDataDir = QStringLiteral(QARN_TEST_DATA_DIR);
const QString kExamplesDir = QStringLiteral(QARN_EXAMPLES_DIR);

// The bytes tests/data/two_objects.pathset was made of.
std::vector<uint8_t> TwoObjects() {
  return PathSetBytes()
      .Header(1, 2, 1)
      .Object("giz_bridge01_l",
              {{0x7317, -120.5f, 3.25f, 40},
               {0x7317, -110.5f, 3.25f, 40},
               {0x7317, -100.5f, 3.25f, 40}},
              0x11, 0x22)
      .Object("sp_jumptrailer_f", {}, 0x33, 0x44)
      .bytes;
}

class PathSetFileTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    // A buffer full of old bytes, so any change by a failed operation shows.
    buffer = BufferWith(std::vector<uint8_t>(300, 0x5A));
    before = std::make_unique<FileBuffer>(*buffer);
  }

  QString Path(const QString& name) const { return dir.filePath(name); }

  void Write(const QString& name, const std::vector<uint8_t>& bytes) const {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }

  std::vector<uint8_t> Read(const QString& path) const {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray data = file.readAll();
    return {data.begin(), data.end()};
  }

  void ExpectBufferUnchanged() const {
    EXPECT_EQ(buffer->usedLength, before->usedLength);
    EXPECT_TRUE(buffer->bytes == before->bytes);
  }

  // Runs `action`, expects error type E, and returns its message.
  template <class E, class Action>
  std::string MessageOf(Action&& action) {
    try {
      action();
    } catch (const E& e) {
      return e.what();
    }
    ADD_FAILURE() << "no error of the expected type";
    return {};
  }

  QTemporaryDir dir;
  std::unique_ptr<FileBuffer> buffer;
  std::unique_ptr<FileBuffer> before;
};

TEST_F(PathSetFileTest, LoadsTheTwoObjectFile) {
  const tHeader doc = LoadPathSetFile(kDataDir + "/two_objects.pathset", *buffer);
  EXPECT_EQ(buffer->Image(), TwoObjects());
  EXPECT_EQ(doc.leadingWord, 1u);
  ASSERT_EQ(doc.objectCount, 2u);
  EXPECT_EQ(doc.Object(1).DisplayName(), "giz_bridge01_l");
  EXPECT_EQ(doc.Object(1).Point(2).x, -110.5f);
  EXPECT_EQ(doc.Object(2).trailerWord, 0x44u);
  EXPECT_EQ(SerializeToBytes(doc), TwoObjects());
}

TEST_F(PathSetFileTest, TheDemoFileLoadsAndSavesUnchanged) {
  const tHeader doc = LoadPathSetFile(kExamplesDir + "/demo.pathset", *buffer);
  ASSERT_GE(doc.objectCount, 5u);  // the demo shows several kinds of object
  EXPECT_EQ(doc.Object(1).DisplayName(), "giz_bridge01_l");
  EXPECT_EQ(doc.Object(4).pointCount, 0u);
  EXPECT_EQ(SerializeToBytes(doc), buffer->Image());
}

TEST_F(PathSetFileTest, LoadKeepsTrailingBytesInTheBufferButNotInTheDocument) {
  const tHeader doc = LoadPathSetFile(kDataDir + "/trailing_bytes.pathset", *buffer);
  EXPECT_EQ(buffer->usedLength, 153);
  EXPECT_EQ(SerializeToBytes(doc), TwoObjects());
}

TEST_F(PathSetFileTest, SaveWritesTheUsedBytesAndLoadReadsThemBack) {
  auto image = BufferWith(TwoObjects());
  WritePathSetFile(Path("out.pathset"), *image);
  EXPECT_EQ(Read(Path("out.pathset")), TwoObjects());
  LoadPathSetFile(Path("out.pathset"), *buffer);
  EXPECT_EQ(buffer->Image(), TwoObjects());
}

TEST_F(PathSetFileTest, SaveReplacesALongerFileWhole) {
  Write("out.pathset", std::vector<uint8_t>(5000, 0xFF));
  WritePathSetFile(Path("out.pathset"), *BufferWith(PathSetBytes().Header(0, 0, 0).bytes));
  EXPECT_EQ(Read(Path("out.pathset")).size(), 12u);
}

TEST_F(PathSetFileTest, MissingFileNamesTheFileAndTheReason) {
  const auto message =
      MessageOf<InOutError>([&] { LoadPathSetFile(Path("missing.pathset"), *buffer); });
  EXPECT_EQ(message,
            "missing.pathset: I/O error: cannot open the file: No such file or directory.");
  ExpectBufferUnchanged();
  EXPECT_THROW(ReadPathSetFile(Path("missing.pathset"), *buffer), InOutError);
  ExpectBufferUnchanged();
}

TEST_F(PathSetFileTest, ReadingADirectoryFails) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pathset"));
  const auto message =
      MessageOf<InOutError>([&] { ReadPathSetFile(Path("folder.pathset"), *buffer); });
  EXPECT_EQ(message.rfind("folder.pathset: I/O error: ", 0), 0u) << message;
  ExpectBufferUnchanged();
}

TEST_F(PathSetFileTest, FileLargerThanTheBufferIsRefusedBeforeReading) {
  Write("big.pathset", std::vector<uint8_t>(kBufferSize + 1, 0));
  const auto message =
      MessageOf<RangeCheckError>([&] { ReadPathSetFile(Path("big.pathset"), *buffer); });
  EXPECT_EQ(
      message,
      "big.pathset: Range check error: the file is 60002 bytes long; the file buffer holds at "
      "most 60001 bytes.");
  ExpectBufferUnchanged();
}

TEST_F(PathSetFileTest, FileOfExactlyTheBufferSizeIsRead) {
  auto image = PathSetBytes().Header(0, 0, 0).bytes;
  image.resize(kBufferSize, 0x01);
  Write("full.pathset", image);
  const tHeader doc = LoadPathSetFile(Path("full.pathset"), *buffer);
  EXPECT_EQ(buffer->usedLength, kBufferSize);
  EXPECT_EQ(doc.objectCount, 0u);
}

// Malformed files keep their error type and gain the file's name in front.
TEST_F(PathSetFileTest, MalformedFilesAreRefusedWithNameObjectAndOffset) {
  const auto truncated = MessageOf<MalformedFileError>(
      [&] { LoadPathSetFile(kDataDir + "/truncated.pathset", *buffer); });
  EXPECT_EQ(truncated,
            "truncated.pathset: object 2 at byte 104: the file ends at byte 130, inside the "
            "object's head.");
  const auto tooMany = MessageOf<RangeCheckError>(
      [&] { LoadPathSetFile(kDataDir + "/too_many_points.pathset", *buffer); });
  EXPECT_EQ(tooMany,
            "too_many_points.pathset: object 2 at byte 136: Range check error: the point count is "
            "300; an object holds at most 256 points.");
  ExpectBufferUnchanged();
}

class MergeFileTest : public PathSetFileTest {
 protected:
  void SetUp() override {
    PathSetFileTest::SetUp();
    doc = LoadPathSetFile(kDataDir + "/two_objects.pathset", *buffer);
    *before = *buffer;
    docBefore = SerializeToBytes(doc);
  }

  void ExpectDocumentUnchanged() const {
    EXPECT_EQ(doc.objectCount, 2u);
    EXPECT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(SerializeToBytes(doc), docBefore);
  }

  tHeader doc;
  std::vector<uint8_t> docBefore;
};

TEST_F(MergeFileTest, AppendsSerialisesAndParsesBack) {
  Write("more.pathset",
        PathSetBytes().Header(9, 1, 0).Object("str_lamp_post_s", CountingPoints(1)).bytes);
  MergePathSetFile(Path("more.pathset"), *buffer, doc);
  ASSERT_EQ(doc.objectCount, 3u);
  EXPECT_EQ(doc.Object(3).DisplayName(), "str_lamp_post_s");
  EXPECT_EQ(doc.leadingWord, 9u);
  EXPECT_EQ(doc.lastIndex, 2u);
  EXPECT_EQ(buffer->Image(), SerializeToBytes(doc)) << "the buffer holds the merged document";
}

TEST_F(MergeFileTest, BadFileChangesNothing) {
  const auto message = MessageOf<MalformedFileError>(
      [&] { MergePathSetFile(kDataDir + "/truncated.pathset", *buffer, doc); });
  EXPECT_EQ(message.rfind("truncated.pathset: object 2 at byte 104", 0), 0u) << message;
  ExpectDocumentUnchanged();
  ExpectBufferUnchanged();
}

TEST_F(MergeFileTest, MissingFileChangesNothing) {
  EXPECT_THROW(MergePathSetFile(Path("gone.pathset"), *buffer, doc), InOutError);
  ExpectDocumentUnchanged();
  ExpectBufferUnchanged();
}

TEST_F(MergeFileTest, MergeThatNoLongerFitsChangesNothing) {
  // 59908 bytes on their own; 60044 after the loaded document's 136 bytes of objects.
  PathSetBytes big;
  big.Header(0x77, 58, 57);
  for (int k = 0; k < 14; ++k) big.Object("full", CountingPoints(256));
  for (int k = 0; k < 44; ++k) big.Object("empty", {});
  Write("big.pathset", big.bytes);
  const auto message =
      MessageOf<RangeCheckError>([&] { MergePathSetFile(Path("big.pathset"), *buffer, doc); });
  EXPECT_EQ(message,
            "big.pathset: Range check error: the path set would be 60044 bytes long; a path set "
            "holds at most 60000 bytes.");
  ExpectDocumentUnchanged();
  EXPECT_EQ(doc.leadingWord, 1u);
  EXPECT_EQ(doc.lastIndex, 1u);
  ExpectBufferUnchanged();
}

TEST_F(MergeFileTest, NothingIntoAnEmptyDocumentOverflowsWithTheFilesHeaderWords) {
  Write("none.pathset", PathSetBytes().Header(0x4242, 0, 0x99).bytes);
  tHeader empty;
  const auto message =
      MessageOf<OverflowError>([&] { MergePathSetFile(Path("none.pathset"), *buffer, empty); });
  EXPECT_EQ(message.rfind("none.pathset: Overflow error: ", 0), 0u) << message;
  EXPECT_EQ(empty.leadingWord, 0x4242u);
  EXPECT_EQ(empty.lastIndex, 0x99u);
  EXPECT_TRUE(empty.records.empty());
  ExpectBufferUnchanged();
}

class SaveFailureTest : public PathSetFileTest {};

TEST_F(SaveFailureTest, OverADirectoryFailsAndLeavesItAlone) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("taken.pathset"));
  Write("taken.pathset/inside", {1, 2, 3});
  const auto message = MessageOf<InOutError>(
      [&] { WritePathSetFile(Path("taken.pathset"), *BufferWith(TwoObjects())); });
  EXPECT_EQ(message, "taken.pathset: I/O error: " + Path("taken.pathset").toStdString() +
                         " is not a regular file but a folder.");
  EXPECT_EQ(Read(Path("taken.pathset/inside")), (std::vector<uint8_t>{1, 2, 3}));
}

// No temporary file can be made beside the file, but the file itself may be written: it is
// written in place. Root ignores folder permissions, so as root the save runs as user nobody.
TEST_F(SaveFailureTest, IntoAReadOnlyDirectoryWritesTheFileInPlace) {
  ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
  Write("locked/old.pathset", {7, 7, 7});
  const auto all = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                   QFileDevice::ReadOther | QFileDevice::ExeOther;
  QFile::setPermissions(dir.path(), all);
  QFile::setPermissions(Path("locked"), all & ~QFileDevice::WriteOwner);
  QFile::setPermissions(Path("locked/old.pathset"),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther |
                            QFileDevice::WriteOther);
  {
    const bool root = test::IsRoot();
    ASSERT_TRUE(!root || (::setegid(65534) == 0 && ::seteuid(65534) == 0));
    EXPECT_NO_THROW(WritePathSetFile(Path("locked/old.pathset"), *BufferWith(TwoObjects())));
    ASSERT_TRUE(!root || (::seteuid(0) == 0 && ::setegid(0) == 0));
  }
  QFile::setPermissions(Path("locked"), all);
  EXPECT_EQ(Read(Path("locked/old.pathset")), TwoObjects());
}

TEST_F(SaveFailureTest, IntoAMissingDirectoryCreatesNothing) {
  EXPECT_THROW(WritePathSetFile(Path("nowhere/new.pathset"), *BufferWith(TwoObjects())),
               InOutError);
  EXPECT_FALSE(QFile::exists(Path("nowhere")));
}

TEST_F(SaveFailureTest, UsedLengthOutsideTheBufferIsRefusedBeforeTheFileIsTouched) {
  Write("old.pathset", {7, 7, 7});
  auto image = BufferWith(TwoObjects());
  image->usedLength = kBufferSize + 1;
  EXPECT_THROW(WritePathSetFile(Path("old.pathset"), *image), RangeCheckError);
  EXPECT_EQ(Read(Path("old.pathset")), (std::vector<uint8_t>{7, 7, 7}));
}

}  // namespace
}  // namespace qarn
