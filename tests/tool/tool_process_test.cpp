#include <QProcess>

#include "tool_test_support.h"

namespace qarn::test {
namespace {

// The real executable, as a user or a script runs it.
class ToolProcessTest : public ToolTest {
 protected:
  ToolRun Exec(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(QARN_TOOL_PATH), args);
    EXPECT_TRUE(process.waitForFinished(30000)) << process.errorString().toStdString();
    ToolRun run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
  }

  static tHeader Sample() {
    tHeader doc;
    tDesc& record = AddObject(doc, "giz_bridge01_l", 4, 0x11, 0x22);
    record.name[20] = 0xC3;
    record.Point(2).y = -0.0f;
    AddObject(doc, "\xE9t\xE9", 1);
    return doc;
  }
};

TEST_F(ToolProcessTest, ChecksFilesWithExitStatusAndSeparateStreams) {
  const QString good = WriteDoc("good.pathset", Sample());
  const QString bad = Write("bad.pathset", ImageOf(Sample()).left(50));
  const ToolRun run = Exec({"check", good, bad});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, good + ": ok (2 objects, 5 points, 180 bytes)\n");
  EXPECT_TRUE(run.err.startsWith(bad + ": error: object 1 at byte 12")) << run.err.toStdString();
  EXPECT_EQ(Exec({"check", good}).status, 0);
}

TEST_F(ToolProcessTest, JsonFromStandardOutputRebuildsTheFile) {
  const QByteArray original = ImageOf(Sample());
  const ToolRun dump = Exec({"dump", "--json", Write("in.pathset", original)});
  ASSERT_EQ(dump.status, 0) << dump.err.toStdString();
  const ToolRun build = Exec({"build", Write("in.json", dump.out.toUtf8()), Path("out.pathset")});
  ASSERT_EQ(build.status, 0) << build.err.toStdString();
  EXPECT_EQ(Read(Path("out.pathset")), original);
}

TEST_F(ToolProcessTest, UsageErrorsExitWithTwo) {
  EXPECT_EQ(Exec({}).status, 2);
  EXPECT_EQ(Exec({"dump"}).status, 2);
  const ToolRun help = Exec({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.startsWith("Usage: qarn-tool"));
}

}  // namespace
}  // namespace qarn::test
