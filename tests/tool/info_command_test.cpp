#include <QRegularExpression>

#include "tool_test_support.h"

namespace qarn::test {
namespace {

class InfoCommandTest : public ToolTest {
 protected:
  QStringList InfoLines(const tHeader& doc) {
    const ToolRun run = Invoke({"info", WriteDoc("info.pathset", doc)});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    return run.out.split('\n', Qt::SkipEmptyParts);
  }

  static QStringList Words(const QString& line) {
    return line.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
  }
};

TEST_F(InfoCommandTest, ShowsHeaderWordsAndOneLinePerObject) {
  tHeader doc;
  AddObject(doc, "giz_bridge01_l", 3, 0xABCDEF01, 0x22);
  AddObject(doc, "sp_jumptrailer_f", 0, 0x33, 0xFFFFFFFF);
  doc.leadingWord = 0x1234ABCD;
  doc.lastIndex = 0xC0FFEE;  // carried as it is, even though it is not count - 1
  const QStringList lines = InfoLines(doc);
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(Words(lines[0]), QStringList({"leading", "word", "1234ABCD"}));
  EXPECT_EQ(Words(lines[1]), QStringList({"object", "count", "2"}));
  EXPECT_EQ(Words(lines[2]), QStringList({"last", "index", "00C0FFEE"}));
  EXPECT_EQ(Words(lines[4]), QStringList({"1", "\"giz_bridge01_l\"", "3", "ABCDEF01", "00000022"}));
  EXPECT_EQ(Words(lines[5]),
            QStringList({"2", "\"sp_jumptrailer_f\"", "0", "00000033", "FFFFFFFF"}));
}

TEST_F(InfoCommandTest, ColumnsLineUpForNamesOfEveryLength) {
  tHeader doc;
  AddObject(doc, "", 1);
  AddObject(doc, "abcdefghijklmnopqrstuvwxyz012345", 256);  // 32 characters, no zero byte
  const QStringList lines = InfoLines(doc);
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(Words(lines[4]).at(1), "\"\"");
  EXPECT_EQ(Words(lines[5]).at(1), "\"abcdefghijklmnopqrstuvwxyz012345\"");
  EXPECT_EQ(Words(lines[5]).at(2), "256");
  EXPECT_EQ(lines[4].size(), lines[5].size());
  EXPECT_EQ(lines[4].indexOf("00000000"), lines[5].indexOf("00000000"));
}

TEST_F(InfoCommandTest, NamesAreQuotedWithControlBytesEscaped) {
  tHeader doc;
  AddObject(doc, "a\"b\\c\x01\x7F%1\xE9", 0);  // quote, backslash, control bytes, "%1", e acute
  const QStringList lines = InfoLines(doc);
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(Words(lines[4]).at(1), QString::fromUtf8("\"a\\\"b\\\\c\\x01\\x7F%1\u00E9\""));
}

TEST_F(InfoCommandTest, EmptyPathSetHasNoObjectTable) {
  const QStringList lines = InfoLines(tHeader());
  EXPECT_EQ(lines.size(), 3);
}

TEST_F(InfoCommandTest, ReportsBytesAfterTheLastObject) {
  tHeader doc;
  AddObject(doc, "x", 2);
  const QString path = Write("tail.pathset", ImageOf(doc) + QByteArray(9, '\x7F'));
  const ToolRun run = Invoke({"info", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.contains("9 bytes after the last object")) << run.out.toStdString();
}

TEST_F(InfoCommandTest, RefusedFileFailsWithTheFileNameAndOffset) {
  tHeader doc;
  AddObject(doc, "x", 2);
  QByteArray bytes = ImageOf(doc);
  PutWord(bytes, 12 + 32, 300);
  const ToolRun run = Invoke({"info", Write("bad.pathset", bytes)});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(run.err.contains("bad.pathset: object 1 at byte 12: Range check error"))
      << run.err.toStdString();
}

}  // namespace
}  // namespace qarn::test
