#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <bit>
#include <functional>
#include <limits>

#include "exchange/path_set_json.h"
#include "tool_test_support.h"

namespace qarn::test {
namespace {

tHeader TwoObjects() {
  tHeader doc;
  AddObject(doc, "giz_bridge01_l", 3, 0x11, 0x22);
  AddObject(doc, "sp_jumptrailer_f", 6, 0x33, 0x44);
  doc.leadingWord = 5;
  return doc;
}

// Edits one value deep inside a JSON tree: QJsonObject has no references into nested values.
using Edit = std::function<void(QJsonObject&)>;

Edit OnPoint(int k, int j, std::function<void(QJsonObject&)> edit) {
  return [=](QJsonObject& root) {
    QJsonArray objects = root["objects"].toArray();
    QJsonObject object = objects[k].toObject();
    QJsonArray points = object["points"].toArray();
    QJsonObject point = points[j].toObject();
    edit(point);
    points[j] = point;
    object["points"] = points;
    objects[k] = object;
    root["objects"] = objects;
  };
}

Edit OnObject(int k, std::function<void(QJsonObject&)> edit) {
  return [=](QJsonObject& root) {
    QJsonArray objects = root["objects"].toArray();
    QJsonObject object = objects[k].toObject();
    edit(object);
    objects[k] = object;
    root["objects"] = objects;
  };
}

Edit Set(const char* key, QJsonValue value) {
  return [=](QJsonObject& json) { json[key] = value; };
}

Edit Drop(const char* key) {
  return [=](QJsonObject& json) { json.remove(key); };
}

class BuildCommandTest : public ToolTest {
 protected:
  QString JsonFile(const Edit& edit) {
    QJsonObject root = PathSetToJson(TwoObjects());
    edit(root);
    return Write("doc.json", QJsonDocument(root).toJson());
  }

  // Builds from edited JSON into OUT, which already holds `before`.
  ToolRun BuildOver(const Edit& edit, const QByteArray& before = "old contents") {
    Write("out.pathset", before);
    return Invoke({"build", JsonFile(edit), Path("out.pathset")});
  }

  QByteArray Output() const { return Read(Path("out.pathset")); }
};

struct Malformed {
  const char* label;
  Edit edit;
  const char* message;
};

class MalformedJsonTest : public BuildCommandTest,
                          public ::testing::WithParamInterface<Malformed> {};

TEST_P(MalformedJsonTest, IsRefusedNamingTheFileAndTheElementAndWritesNothing) {
  const ToolRun run = BuildOver(GetParam().edit);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "qarn-tool build: " + Path("doc.json") + ": " + GetParam().message + "\n");
  EXPECT_EQ(Output(), "old contents");
}

INSTANTIATE_TEST_SUITE_P(
    Elements, MalformedJsonTest,
    ::testing::Values(
        Malformed{"CoordinateNotANumber", OnPoint(1, 5, Set("x", true)),
                  "objects[1].points[5].x: expected a number"},
        Malformed{"CoordinateWordlessString", OnPoint(1, 5, Set("x", "one")),
                  "objects[1].points[5].x: expected a number, \"nan\", \"inf\" or \"-inf\""},
        Malformed{"CoordinateOutOfFloatRange",
                  OnPoint(0, 0,
                          [](QJsonObject& p) {
                            p["y"] = 1e39;
                            p.remove("yBits");
                          }),
                  "objects[0].points[0].y: 1e+39 is outside the range of a 32-bit float"},
        Malformed{"CoordinateRoundingToInfinity",
                  OnPoint(0, 0,
                          [](QJsonObject& p) {
                            p["z"] = -3.4028236e38;
                            p.remove("zBits");
                          }),
                  "objects[0].points[0].z: -3.4028236e+38 is outside the range of a 32-bit float"},
        Malformed{"BitsNotHex", OnPoint(0, 2, Set("zBits", "3F80000G")),
                  "objects[0].points[2].zBits: expected a string of 1 to 8 hexadecimal digits"},
        Malformed{"BitsTooLong", OnPoint(0, 2, Set("zBits", "13F800000")),
                  "objects[0].points[2].zBits: expected a string of 1 to 8 hexadecimal digits"},
        Malformed{"ValueAndBitsDisagree", OnPoint(0, 1, Set("x", 3)),
                  "objects[0].points[1].x: 3 does not match xBits 40200000 (2.5)"},
        Malformed{"CoordinateMissing",
                  OnPoint(0, 1,
                          [](QJsonObject& p) {
                            p.remove("z");
                            p.remove("zBits");
                          }),
                  "objects[0].points[1].z: missing"},
        Malformed{"FlagsMissing", OnPoint(1, 0, Drop("flags")),
                  "objects[1].points[0].flags: missing"},
        Malformed{"FlagsAsNumber", OnPoint(1, 0, Set("flags", 131)),
                  "objects[1].points[0].flags: expected a string of 1 to 8 hexadecimal digits"},
        Malformed{"PointNotAnObject",
                  OnObject(1,
                           [](QJsonObject& o) {
                             QJsonArray points = o["points"].toArray();
                             points[3] = 7;
                             o["points"] = points;
                           }),
                  "objects[1].points[3]: expected an object"},
        Malformed{"UnknownPointKey", OnPoint(0, 0, Set("w", 1)),
                  "objects[0].points[0].w: unknown key"},
        Malformed{
            "TooManyPoints",
            OnObject(0,
                     [](QJsonObject& o) {
                       QJsonArray points;
                       for (int j = 0; j < 257; ++j) points.append(o["points"][0]);
                       o["points"] = points;
                     }),
            "objects[0].points: Range check error: the point count is 257; an object holds at "
            "most 256 points."},
        Malformed{"PointsNotAnArray", OnObject(0, Set("points", QJsonObject())),
                  "objects[0].points: expected an array"},
        Malformed{"HeadWordMissing", OnObject(1, Drop("headWord")), "objects[1].headWord: missing"},
        Malformed{"NameBytesTooShort", OnObject(0, Set("nameBytes", QString(62, '0'))),
                  "objects[0].nameBytes: expected a string of 64 hexadecimal digits"},
        Malformed{"NameAndBytesDisagree", OnObject(0, Set("name", "giz_bridge01_r")),
                  "objects[0].name: does not match nameBytes"},
        Malformed{"NameTooLong",
                  OnObject(0,
                           [](QJsonObject& o) {
                             o.remove("nameBytes");
                             o["name"] = QString(33, 'a');
                           }),
                  "objects[0].name: longer than 32 characters"},
        Malformed{"NameBeyondLatin1",
                  OnObject(0,
                           [](QJsonObject& o) {
                             o.remove("nameBytes");
                             o["name"] = "a\u20ACb";
                           }),
                  "objects[0].name: character U+20AC cannot be part of a name"},
        Malformed{"NameWithZero",
                  OnObject(0,
                           [](QJsonObject& o) {
                             o.remove("nameBytes");
                             o["name"] = QString("ab") + QChar(0) + "c";
                           }),
                  "objects[0].name: character U+0000 cannot be part of a name"},
        Malformed{"NoNameAtAll",
                  OnObject(1,
                           [](QJsonObject& o) {
                             o.remove("name");
                             o.remove("nameBytes");
                           }),
                  "objects[1].name: missing"},
        Malformed{"ObjectNotAnObject", Set("objects", QJsonArray{1}),
                  "objects[0]: expected an object"},
        Malformed{"ObjectsMissing", Drop("objects"), "objects: missing"},
        Malformed{"LeadingWordMissing", Drop("leadingWord"), "leadingWord: missing"},
        Malformed{"UnknownTopKey", Set("objectCount", 2), "objectCount: unknown key"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(BuildCommandTest, DocumentLargerThanAPathSetIsRefusedAtTheFirstObjectThatDoesNotFit) {
  tHeader big;
  for (int k = 0; k < 15; ++k) AddObject(big, "full", kMaxPoints);
  Write("out.pathset", "old contents");
  const QString json = Write("doc.json", QJsonDocument(PathSetToJson(big)).toJson());
  const ToolRun run = Invoke({"build", json, Path("out.pathset")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(
      run.err.contains(json + ": objects[14]: the path set would be longer than 60000 bytes"))
      << run.err.toStdString();
  EXPECT_EQ(Output(), "old contents");
}

TEST_F(BuildCommandTest, TextThatIsNotJsonIsRefusedWithItsOffset) {
  Write("out.pathset", "old contents");
  const QString json = Write("doc.json", "{\"leadingWord\": \"0\",, }");
  const ToolRun run = Invoke({"build", json, Path("out.pathset")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.startsWith("qarn-tool build: " + json + ": not valid JSON at byte "))
      << run.err.toStdString();
  EXPECT_EQ(Output(), "old contents");
}

TEST_F(BuildCommandTest, JsonArrayAtTheTopIsRefused) {
  const ToolRun run = Invoke({"build", Write("doc.json", "[]"), Path("out.pathset")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("expected a JSON object at the top"));
  EXPECT_FALSE(QFile::exists(Path("out.pathset")));
}

TEST_F(BuildCommandTest, MissingJsonFileIsNamed) {
  const ToolRun run = Invoke({"build", Path("none.json"), Path("out.pathset")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains(Path("none.json") + ": I/O error: cannot open the file"))
      << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("out.pathset")));
}

TEST_F(BuildCommandTest, UnwritableOutputIsAnInputOutputErrorNamingIt) {
  const QString out = Path("no/such/dir/out.pathset");
  const ToolRun run = Invoke({"build", JsonFile([](QJsonObject&) {}), out});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("out.pathset: I/O error")) << run.err.toStdString();
}

// Either half of a pair is enough; the exact half decides.
TEST_F(BuildCommandTest, ReadableOrExactHalvesAloneAreEnough) {
  const Edit edit = [](QJsonObject& root) {
    OnPoint(0, 0, [](QJsonObject& p) {
      p.remove("xBits");
      p["x"] = 0.1;             // rounds to the nearest float
      p.remove("y");            // bits alone
      p["yBits"] = "80000000";  // negative zero
      p["z"] = "-inf";
      p.remove("zBits");
    })(root);
    OnPoint(1, 4, [](QJsonObject& p) {
      p.remove("xBits");
      p["x"] = 3.4028235e+38;  // the shortest text of the largest float, a little above it
      p.remove("zBits");
      p["z"] = -3.4028235e+38;
    })(root);
    OnObject(1, [](QJsonObject& o) {
      o.remove("nameBytes");
      o["name"] = QString::fromLatin1("\xE9t\xE9");
    })(root);
  };
  ASSERT_EQ(BuildOver(edit).status, 0);
  tHeader expected = TwoObjects();
  expected.Object(1).Point(1) = {expected.Object(1).Point(1).flags, 0.1f, -0.0f,
                                 -std::numeric_limits<float>::infinity()};
  expected.Object(2).name = {0xE9, 't', 0xE9};
  expected.Object(2).Point(5).x = std::numeric_limits<float>::max();
  expected.Object(2).Point(5).z = std::numeric_limits<float>::lowest();
  EXPECT_EQ(Output(), ImageOf(expected));
}

TEST_F(BuildCommandTest, ReadableZeroAgreesWithNegativeZeroBitsAndTheBitsWin) {
  ASSERT_EQ(BuildOver(OnPoint(0, 0,
                              [](QJsonObject& p) {
                                p["x"] = 0;
                                p["xBits"] = "80000000";
                              }))
                .status,
            0);
  const QByteArray bytes = Output();
  // Object 1's head is 40 bytes after the 12-byte header; x follows the flag word.
  EXPECT_EQ(bytes.mid(12 + 40 + 4, 4), QByteArray("\x00\x00\x00\x80", 4));
}

// JSON text that Qt's parser alone would take wrongly. X stands for the point's x.
QByteArray OnePoint(const QByteArray& x, const QByteArray& pointExtra = "",
                    const QByteArray& topExtra = "") {
  return R"({"leadingWord":"0","lastIndex":"0",)" + topExtra +
         R"("objects":[{"name":"a","headWord":"0","trailerWord":"0","points":[{"flags":"0","x":)" +
         x + pointExtra + R"(,"y":0,"z":0}]}]})";
}

struct DuplicatedKey {
  const char* label;
  QByteArray text;
  const char* path;
};

class DuplicatedKeyTest : public BuildCommandTest,
                          public ::testing::WithParamInterface<DuplicatedKey> {};

TEST_P(DuplicatedKeyTest, IsRefusedWithItsPath) {
  Write("out.pathset", "old contents");
  const QString json = Write("doc.json", GetParam().text);
  const ToolRun run = Invoke({"build", json, Path("out.pathset")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "qarn-tool build: " + json + ": " + GetParam().path +
                         ": the key is given twice in one object\n");
  EXPECT_EQ(Output(), "old contents");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DuplicatedKeyTest,
    ::testing::Values(
        DuplicatedKey{"AtTheTop", OnePoint("1", "", R"("lastIndex":"1",)"), "lastIndex"},
        DuplicatedKey{"InAPoint", OnePoint("1", R"(,"x":2)"), "objects[0].points[0].x"},
        DuplicatedKey{"SpeltWithAnEscape", OnePoint("1", R"(,"\u0078":2)"),
                      "objects[0].points[0].x"}),
    [](const auto& info) { return std::string(info.param.label); });

class SignedZeroTest : public BuildCommandTest,
                       public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(SignedZeroTest, KeepsItsSign) {
  const auto& [x, bits] = GetParam();
  ASSERT_EQ(Invoke({"build", Write("doc.json", OnePoint(x)), Path("out.pathset")}).status, 0);
  // x follows the 12-byte header, the 40-byte object head and the flag word.
  EXPECT_EQ(Output().mid(12 + 40 + 4, 4).toHex(), bits);
}

INSTANTIATE_TEST_SUITE_P(Numbers, SignedZeroTest,
                         ::testing::Values(std::pair{"-0", "00000080"},
                                           std::pair{"-0.0", "00000080"},
                                           std::pair{"-0e3", "00000080"},
                                           std::pair{"0", "00000000"},
                                           std::pair{"-0.5", "000000bf"}));

TEST_F(BuildCommandTest, AByteOrderMarkInFrontIsSkipped) {
  const QString plain = Write("plain.json", OnePoint("2.5"));
  ASSERT_EQ(Invoke({"build", plain, Path("plain.pathset")}).status, 0);
  const QString marked = Write("marked.json", "\xEF\xBB\xBF" + OnePoint("2.5"));
  const ToolRun run = Invoke({"build", marked, Path("out.pathset")});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(Output(), Read(Path("plain.pathset")));
}

}  // namespace
}  // namespace qarn::test
