#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "exchange/path_set_json.h"
#include "tool_test_support.h"

namespace qarn::test {
namespace {

class DiffCommandTest : public ToolTest {
 protected:
  // A: lamp, bridge, post, sign. B: the post before the lamp, whose point 2 is higher and which
  // has a point more, the bridge removed, the sign renamed, a new trailer at the end, leading
  // word 5. Of the lamp and the post one has moved; the lamp is the one reported.
  void SetUp() override {
    AddObject(a, "lamp", 2, 1);
    AddObject(a, "bridge", 1, 2);
    AddObject(a, "post", 1, 3);
    AddObject(a, "sign", 1, 4);
    AddObject(b, "post", 1, 3);
    tDesc& lamp = AddObject(b, "lamp", 3, 1);
    lamp.Point(2).y = 7.5f;
    AddObject(b, "road_sign", 1, 4);
    AddObject(b, "trailer", 0, 5);
    b.leadingWord = 5;
    pathA = WriteDoc("a.pathset", a);
    pathB = WriteDoc("b.pathset", b);
  }
  tHeader a, b;
  QString pathA, pathB;
};

TEST_F(DiffCommandTest, ListsEveryKindOfChangeAndExitsWithOne) {
  const ToolRun run = Invoke({"diff", pathA, pathB});
  EXPECT_EQ(run.status, 1) << run.err.toStdString();
  EXPECT_EQ(run.out,
            "header: leading word 00000000 -> 00000005\n"
            "object 1 -> 2 \"lamp\": moved, points changed\n"
            "  point 2: y -0.5 -> 7.5\n"
            "  point 3: added: flags 000003EB  x 3.5  y -0.75  z 997\n"
            "object 2 \"bridge\": removed (1 points)\n"
            "object 4 -> 3 \"sign\": renamed to \"road_sign\"\n"
            "object 4 \"trailer\": added (0 points)\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(DiffCommandTest, EqualFilesPrintNothingAndExitWithZero) {
  const ToolRun run = Invoke({"diff", pathA, WriteDoc("same.pathset", a)});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  const ToolRun json = Invoke({"diff", "--json", pathA, pathA});
  EXPECT_EQ(json.status, 0);
  EXPECT_TRUE(QJsonDocument::fromJson(json.out.toUtf8())["equal"].toBool());
}

TEST_F(DiffCommandTest, JsonHoldsTheSameAsData) {
  const ToolRun run = Invoke({"diff", pathA, pathB, "--json"});
  ASSERT_EQ(run.status, 1) << run.err.toStdString();
  const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
  EXPECT_FALSE(json["equal"].toBool());
  EXPECT_EQ(json["header"][0]["word"], "leadingWord");
  EXPECT_EQ(json["header"][0]["after"], "00000005");
  const QJsonArray objects = json["objects"].toArray();
  ASSERT_EQ(objects.size(), 4);
  const QJsonObject lamp = objects[0].toObject();
  EXPECT_TRUE(lamp["moved"].toBool());
  EXPECT_EQ(lamp["before"], 1);
  EXPECT_EQ(lamp["after"], 2);
  EXPECT_EQ(lamp["points"][0]["after"]["yBits"], "40F00000");
  EXPECT_EQ(lamp["points"][1]["change"], "added");
  EXPECT_EQ(objects[1]["change"], "removed");
  EXPECT_EQ(objects[2]["name"]["after"], "road_sign");
  // An added object is written whole, so it can be rebuilt from the JSON.
  const QJsonObject added = objects[3]["object"].toObject();
  const tHeader rebuilt =
      PathSetFromJson({{"leadingWord", "0"}, {"lastIndex", "0"}, {"objects", QJsonArray{added}}});
  EXPECT_EQ(rebuilt.Object(1).DisplayName(), "trailer");
}

TEST_F(DiffCommandTest, AFileThatCannotBeReadIsStatusTwo) {
  const QString bad = Write("bad.pathset", ImageOf(a).left(30));
  for (const QStringList& args : {QStringList{"diff", pathA, Path("gone.pathset")},
                                  QStringList{"diff", bad, pathB}, QStringList{"diff", pathA}}) {
    const ToolRun run = Invoke(args);
    EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(run.err.isEmpty());
  }
  EXPECT_TRUE(Invoke({"diff", pathA, Path("gone.pathset")}).err.contains("gone.pathset"));
}

TEST_F(DiffCommandTest, BytesAfterTheLastObjectAreNotedNotCompared) {
  const QString padded = Write("padded.pathset", ImageOf(a) + QByteArray(8, '\0'));
  const ToolRun run = Invoke({"diff", pathA, padded});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.err.contains(padded + ": 8 bytes after the last object"))
      << run.err.toStdString();
}

TEST_F(DiffCommandTest, TheRealProgramExitsWithTheStatus) {
  QProcess process;
  process.start(QStringLiteral(QARN_TOOL_PATH), {"diff", pathA, pathB});
  ASSERT_TRUE(process.waitForFinished(30000)) << process.errorString().toStdString();
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 1);
  EXPECT_TRUE(process.readAllStandardOutput().startsWith("header: leading word"));
}

}  // namespace
}  // namespace qarn::test
