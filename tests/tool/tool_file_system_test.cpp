// qarn-tool against the file system: odd files, a full disk, failing writes and a full standard
// output. The real executable runs with a time limit, so a regression that blocks on a FIFO
// fails the test instead of hanging the suite.
#include <QDir>
#include <QJsonDocument>
#include <QProcess>

#include "exchange/path_set_json.h"
#include "failing_steps.h"
#include "odd_files.h"
#include "small_tmpfs.h"
#include "tool_test_support.h"

namespace qarn::test {
namespace {

constexpr int kTimeLimitMs = 10000;

tHeader Sample() {
  tHeader doc;
  for (int k = 0; k < 20; ++k) AddObject(doc, "giz_bridge01_l", 30, static_cast<uint32_t>(k));
  return doc;  // 12 + 20 * (44 + 30 * 16) = 10492 bytes
}

class ToolFileSystemTest : public ToolTest {
 protected:
  // Runs the real qarn-tool; status -1 when it did not end within the time limit or crashed.
  static ToolRun Exec(const QStringList& args, const QString& standardOutput = QString()) {
    QProcess process;
    if (!standardOutput.isEmpty()) process.setStandardOutputFile(standardOutput);
    process.start(QStringLiteral(QARN_TOOL_PATH), args);
    ToolRun run;
    if (!process.waitForFinished(kTimeLimitMs)) {
      process.kill();
      process.waitForFinished();
      return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
  }

  // The command line with its place holders replaced: GOOD by a good path set, JSON by its
  // JSON, EMPTY by a path set without objects, OUT and ODD by the paths given.
  QStringList Filled(QStringList args, const QString& out, const QString& odd = QString()) {
    const QByteArray json = QJsonDocument(PathSetToJson(Sample())).toJson();
    const QHash<QString, QString> paths{
        {"GOOD", WriteDoc(QStringLiteral("good.pathset"), Sample())},
        {"JSON", Write(QStringLiteral("good.json"), json)},
        {"EMPTY", WriteDoc(QStringLiteral("empty.pathset"), tHeader{})},
        {"OUT", out},
        {"ODD", odd}};
    for (QString& arg : args) arg = paths.value(arg, arg);
    return args;
  }
};

// --- odd files as inputs and outputs: refused before they are opened, and kept
enum class Odd { kFifo, kFolder, kDevice, kZeros };

// A command line in which ODD, GOOD (a good path set), JSON (its JSON) and OUT stand for paths.
struct OddUse {
  const char* label;
  QStringList args;
};

class OddFileTest : public ToolFileSystemTest,
                    public ::testing::WithParamInterface<std::tuple<OddUse, Odd>> {
 protected:
  // The odd node, or empty when it cannot be made here.
  QString Make(Odd odd) {
    const QString path = Path(QStringLiteral("odd"));
    switch (odd) {
      case Odd::kFifo:
        return MakeFifo(path) ? path : QString();
      case Odd::kFolder:
        return QDir().mkdir(path) ? path : QString();
      case Odd::kDevice:
        return MakeCharDevice(path) ? path : QString();
      case Odd::kZeros:  // only ever an input: as root a regression would replace the device
        return QStringLiteral("/dev/zero");
    }
    return {};
  }
};

TEST_P(OddFileTest, IsRefusedWithoutWaitingAndKept) {
  const auto& [use, odd] = GetParam();
  const QString path = Make(odd);
  if (path.isEmpty()) GTEST_SKIP() << "this node cannot be made here";
  const mode_t type = NodeType(path);
  const QString out = Path(QStringLiteral("out"));
  const ToolRun run = Exec(Filled(use.args, out, path));
  EXPECT_EQ(run.status, 1) << "-1: did not end within " << kTimeLimitMs << " ms";
  EXPECT_TRUE(run.err.contains(" is not a regular file but ")) << run.err.toStdString();
  EXPECT_EQ(NodeType(path), type);
  EXPECT_FALSE(QFile::exists(out));
}

const OddUse kOddInputs[] = {{"Check", {"check", "ODD"}},
                             {"Info", {"info", "ODD"}},
                             {"Dump", {"dump", "ODD"}},
                             {"MergeFirst", {"merge", "ODD", "GOOD", "OUT"}},
                             {"MergeSecond", {"merge", "GOOD", "ODD", "OUT"}},
                             {"Render", {"render", "ODD", "OUT"}},
                             {"RenderMap", {"render", "GOOD", "OUT", "--map", "ODD"}},
                             {"BuildFrom", {"build", "ODD", "OUT"}}};
const OddUse kOddOutputs[] = {{"BuildInto", {"build", "JSON", "ODD"}},
                              {"MergeInto", {"merge", "GOOD", "GOOD", "ODD"}},
                              {"RenderInto", {"render", "GOOD", "ODD"}}};

std::string OddUseName(const ::testing::TestParamInfo<std::tuple<OddUse, Odd>>& info) {
  static const char* const kKinds[] = {"Fifo", "Folder", "Device", "Zeros"};
  return std::string(std::get<0>(info.param).label) +
         kKinds[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Inputs, OddFileTest,
                         ::testing::Combine(::testing::ValuesIn(kOddInputs),
                                            ::testing::Values(Odd::kFifo, Odd::kFolder,
                                                              Odd::kDevice, Odd::kZeros)),
                         OddUseName);
INSTANTIATE_TEST_SUITE_P(Outputs, OddFileTest,
                         ::testing::Combine(::testing::ValuesIn(kOddOutputs),
                                            ::testing::Values(Odd::kFifo, Odd::kFolder,
                                                              Odd::kDevice)),
                         OddUseName);

// --- standard output that cannot take the output
struct FullOutput {
  QStringList args;
  int status;  // diff's 1 says "they differ", so its failures are 2
};

class FullOutputTest : public ToolFileSystemTest,
                       public ::testing::WithParamInterface<FullOutput> {};

TEST_P(FullOutputTest, EndsWithTheFailureStatusAndSaysWhy) {
  const ToolRun run = Exec(Filled(GetParam().args, QString()), QStringLiteral("/dev/full"));
  EXPECT_EQ(run.status, GetParam().status);
  EXPECT_TRUE(run.err.contains("qarn-tool: cannot write to standard output: " + DiskFull()))
      << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FullOutputTest,
    ::testing::Values(FullOutput{{"info", "GOOD"}, 1}, FullOutput{{"check", "GOOD"}, 1},
                      FullOutput{{"dump", "GOOD"}, 1}, FullOutput{{"dump", "--json", "GOOD"}, 1},
                      FullOutput{{"--help"}, 1}, FullOutput{{"diff", "GOOD", "EMPTY"}, 2},
                      FullOutput{{"diff", "--json", "GOOD", "GOOD"}, 2}));

// --- writers that fail: the old file stays, the message gives the system's reason
struct Writer {
  const char* label;
  QStringList args;  // GOOD, JSON and OUT as above
};

const Writer kWriters[] = {{"Build", {"build", "JSON", "OUT"}},
                           {"Merge", {"merge", "GOOD", "GOOD", "OUT"}},
                           {"Render", {"render", "GOOD", "OUT"}}};

class WriterFaultTest : public ToolFileSystemTest,
                        public ::testing::WithParamInterface<std::tuple<Writer, WriteStep>> {};

TEST_P(WriterFaultTest, KeepsTheOldFileAndFails) {
  const auto& [writer, step] = GetParam();
  const QString out = Write(QStringLiteral("old.out"), "old contents");
  const QStringList args = Filled(writer.args, out);
  const FailingSteps failing(step);
  const ToolRun run = Invoke(args);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "qarn-tool " + writer.args.first() +
                         ": old.out: I/O error: " + StepWords(step) + ": " + DiskFull() + ".\n");
  EXPECT_EQ(Read(out), "old contents");
}

INSTANTIATE_TEST_SUITE_P(Steps, WriterFaultTest,
                         ::testing::Combine(::testing::ValuesIn(kWriters),
                                            ::testing::ValuesIn(kAllSteps)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).label) +
                                  StepName(std::get<1>(info.param));
                         });

class FullDiskTest : public ToolFileSystemTest, public ::testing::WithParamInterface<Writer> {};

TEST_P(FullDiskTest, KeepsTheOldFileAndFails) {
  const SmallTmpfs disk(64);
  if (!disk.Mounted()) GTEST_SKIP() << disk.Reason().toStdString();
  const QString out = disk.Path(QStringLiteral("old.out"));
  QFile::copy(WriteDoc(QStringLiteral("old.pathset"), Sample()), out);
  const QByteArray old = Read(out);
  disk.Fill(8192);  // less than any of the outputs
  const ToolRun run = Exec(Filled(GetParam().args, out));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("old.out: I/O error: cannot write the file: " + DiskFull()))
      << run.err.toStdString();
  EXPECT_EQ(Read(out), old);
  EXPECT_EQ(QDir(disk.Path(".")).entryList(QDir::Files), (QStringList{"filler", "old.out"}));
}

INSTANTIATE_TEST_SUITE_P(Writers, FullDiskTest, ::testing::ValuesIn(kWriters),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace qarn::test
