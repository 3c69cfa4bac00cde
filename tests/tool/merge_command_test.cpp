#include "tool_test_support.h"

namespace qarn::test {
namespace {

class MergeCommandTest : public ToolTest {
 protected:
  static tHeader FileA() {
    tHeader doc;
    AddObject(doc, "a_one", 2, 0xA1, 0xA2);
    AddObject(doc, "a_two", 0, 0xA3, 0xA4);
    doc.leadingWord = 0xAAAA;
    doc.lastIndex = 0x1234;  // carried by A, replaced by the merge
    return doc;
  }

  static tHeader FileB() {
    tHeader doc;
    tDesc& b = AddObject(doc, "b_one", 3, 0xB1, 0xB2);
    b.name[10] = 'h';  // a hidden byte must survive the merge
    doc.leadingWord = 0xBBBB;
    return doc;
  }

  // A's objects, then B's, with B's leading word and the last index count - 1.
  static tHeader Merged(const tHeader& a, const tHeader& b) {
    tHeader doc = a;
    for (const auto& record : b.records) doc.records.push_back(std::make_unique<tDesc>(*record));
    doc.objectCount = static_cast<uint32_t>(doc.records.size());
    doc.leadingWord = b.leadingWord;
    doc.lastIndex = doc.objectCount - 1;
    return doc;
  }

  ToolRun Merge(const QByteArray& a, const QByteArray& b, const QString& out = "out.pathset") {
    return Invoke({"merge", Write("a.pathset", a), Write("b.pathset", b), Path(out)});
  }
};

TEST_F(MergeCommandTest, AppendsBsObjectsAfterAsAndSavesAsTheEditorDoes) {
  const ToolRun run = Merge(ImageOf(FileA()), ImageOf(FileB()));
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(Read(Path("out.pathset")), ImageOf(Merged(FileA(), FileB())));
}

TEST_F(MergeCommandTest, PathSetWithoutObjectsAddsNothingButItsLeadingWord) {
  tHeader none;
  none.leadingWord = 0x77;
  ASSERT_EQ(Merge(ImageOf(FileA()), ImageOf(none)).status, 0);
  tHeader expected = FileA();
  expected.leadingWord = 0x77;
  expected.lastIndex = 1;
  EXPECT_EQ(Read(Path("out.pathset")), ImageOf(expected));
}

TEST_F(MergeCommandTest, BytesAfterTheLastObjectOfEitherFileAreDropped) {
  ASSERT_EQ(Merge(ImageOf(FileA()) + "junk", ImageOf(FileB()) + "more junk").status, 0);
  EXPECT_EQ(Read(Path("out.pathset")), ImageOf(Merged(FileA(), FileB())));
}

TEST_F(MergeCommandTest, OutputMayReplaceTheFirstFile) {
  const ToolRun run = Merge(ImageOf(FileA()), ImageOf(FileB()), "a.pathset");
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(Read(Path("a.pathset")), ImageOf(Merged(FileA(), FileB())));
}

TEST_F(MergeCommandTest, TwoEmptyPathSetsLeaveNoLastIndexAndNothingIsWritten) {
  const ToolRun run = Merge(ImageOf(tHeader()), ImageOf(tHeader()));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("b.pathset: Overflow error")) << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("out.pathset")));
}

TEST_F(MergeCommandTest, ResultTooLargeForAPathSetIsRefusedAndTheOldOutputStays) {
  tHeader big;
  for (int k = 0; k < 8; ++k) AddObject(big, "full", kMaxPoints);
  Write("out.pathset", "previous");
  const ToolRun run = Merge(ImageOf(big), ImageOf(big));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("Range check error")) << run.err.toStdString();
  EXPECT_EQ(Read(Path("out.pathset")), "previous");
}

TEST_F(MergeCommandTest, RefusedSecondFileIsNamedWithItsOffset) {
  QByteArray b = ImageOf(FileB());
  PutWord(b, 12 + 32, 257);
  Write("out.pathset", "previous");
  const ToolRun run = Merge(ImageOf(FileA()), b);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(
      run.err.contains("b.pathset: object 1 at byte 12: Range check error: the point count is 257"))
      << run.err.toStdString();
  EXPECT_EQ(Read(Path("out.pathset")), "previous");
}

TEST_F(MergeCommandTest, MissingFirstFileIsNamed) {
  const ToolRun run =
      Invoke({"merge", Path("missing.pathset"), Write("b.pathset", ImageOf(FileB())), Path("o")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("missing.pathset: I/O error")) << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("o")));
}

}  // namespace
}  // namespace qarn::test
