#include <QJsonDocument>
#include <QJsonObject>
#include <bit>
#include <cstring>
#include <functional>
#include <limits>

#include "exchange/path_set_json.h"
#include "tool_test_support.h"

namespace qarn::test {
namespace {

float FromBits(uint32_t bits) {
  return std::bit_cast<float>(bits);
}

tHeader NamesWithHiddenBytes() {
  tHeader doc;
  tDesc& a = AddObject(doc, "abc", 1, 1, 2);
  a.name[4] = 'Z';  // after the first zero
  a.name[31] = 0xFF;
  AddObject(doc, "abcdefghijklmnopqrstuvwxyz012345", 2);  // 32 bytes, no zero
  tDesc& c = AddObject(doc, "", 0);                       // empty name, bytes after it
  std::memset(c.name.data() + 1, 0xA5, kNameBytes - 1);
  AddObject(doc, "\xE4\xF6\xFC\x01\"\\", 1);  // Latin-1 and control bytes
  return doc;
}

tHeader FullObject() {
  tHeader doc;
  AddObject(doc, "giz_full", kMaxPoints, 0x12345678, 0x9ABCDEF0);
  return doc;
}

tHeader OddFloats() {
  tHeader doc;
  tDesc& record = AddObject(doc, "floats", 5);
  record.Point(1) = {0, -0.0f, FromBits(0x7FC00000), FromBits(0xFFC00001)};  // -0, NaNs
  record.Point(2) = {0, FromBits(0x7F800001), FromBits(0x7FBFFFFF), FromBits(0xFFFFFFFF)};
  record.Point(3) = {0, std::numeric_limits<float>::infinity(),
                     -std::numeric_limits<float>::infinity(),
                     std::numeric_limits<float>::denorm_min()};
  record.Point(4) = {0xFFFFFFFF, std::numeric_limits<float>::max(), 0.1f, -1.0f / 3.0f};
  record.Point(5) = {0x80000000, FromBits(0x80000001), 16777216.0f, 1e-38f};
  return doc;
}

tHeader CarriedWords() {
  tHeader doc;
  AddObject(doc, "a", 0, 0xFFFFFFFF, 0x80000000);
  AddObject(doc, "b", 1, 0, 0xDEADBEEF);
  doc.leadingWord = 0xFFFFFFFF;
  doc.lastIndex = 0x7FFFFFFF;
  return doc;
}

tHeader EmptyWithWords() {
  tHeader doc;
  doc.leadingWord = 42;
  doc.lastIndex = 0xFFFFFFFF;
  return doc;
}

// The two largest documents: 60000 bytes each.
tHeader FourteenFullObjects() {
  tHeader doc;
  for (int k = 1; k <= 14; ++k) AddObject(doc, "full", kMaxPoints, static_cast<uint32_t>(k), 0);
  return doc;
}

tHeader ManyEmptyObjects() {
  tHeader doc;
  for (int k = 1; k <= 1363; ++k) AddObject(doc, "e", 0, static_cast<uint32_t>(k), ~0u);
  return doc;
}

struct Document {
  const char* label;
  std::function<tHeader()> make;
};

class JsonRoundTripTest : public ToolTest, public ::testing::WithParamInterface<Document> {};

TEST_P(JsonRoundTripTest, DumpThenBuildGivesTheSameBytes) {
  const QByteArray original = ImageOf(GetParam().make());
  const QString source = Write("source.pathset", original);
  const ToolRun dump = Invoke({"dump", source, "--json"});
  ASSERT_EQ(dump.status, 0) << dump.err.toStdString();
  EXPECT_TRUE(dump.err.isEmpty());
  const QString json = Write("doc.json", dump.out.toUtf8());
  const ToolRun build = Invoke({"build", json, Path("rebuilt.pathset")});
  ASSERT_EQ(build.status, 0) << build.err.toStdString();
  EXPECT_EQ(Read(Path("rebuilt.pathset")), original);
}

TEST_P(JsonRoundTripTest, JsonOfTheRebuiltDocumentIsTheSame) {
  const tHeader doc = GetParam().make();
  const QJsonObject json = PathSetToJson(doc);
  const QJsonObject again = PathSetToJson(PathSetFromJson(json));
  EXPECT_EQ(QJsonDocument(again).toJson(), QJsonDocument(json).toJson());
}

INSTANTIATE_TEST_SUITE_P(Documents, JsonRoundTripTest,
                         ::testing::Values(Document{"NamesWithHiddenBytes", NamesWithHiddenBytes},
                                           Document{"FullObject", FullObject},
                                           Document{"OddFloats", OddFloats},
                                           Document{"CarriedWords", CarriedWords},
                                           Document{"EmptyWithWords", EmptyWithWords},
                                           Document{"FourteenFullObjects", FourteenFullObjects},
                                           Document{"ManyEmptyObjects", ManyEmptyObjects}),
                         [](const auto& info) { return std::string(info.param.label); });

class JsonShapeTest : public ToolTest {};

TEST_F(JsonShapeTest, BytesAfterTheLastObjectAreLeftOutAndReported) {
  const tHeader doc = CarriedWords();
  const ToolRun dump = Invoke({"dump", "--json", Write("t.pathset", ImageOf(doc) + "tail")});
  ASSERT_EQ(dump.status, 0);
  EXPECT_TRUE(dump.err.contains("4 bytes after the last object")) << dump.err.toStdString();
  ASSERT_EQ(Invoke({"build", Write("t.json", dump.out.toUtf8()), Path("t2.pathset")}).status, 0);
  EXPECT_EQ(Read(Path("t2.pathset")), ImageOf(doc));
}

TEST_F(JsonShapeTest, HoldsReadableValuesBesideTheExactOnes) {
  tHeader doc;
  tDesc& record = AddObject(doc, "ab", 1, 0x1F, 0x2E);
  record.name[3] = 'q';
  record.Point(1) = {0x83, 1.0f, -3.5f, std::numeric_limits<float>::quiet_NaN()};
  const QJsonObject object = PathSetToJson(doc)["objects"][0].toObject();
  EXPECT_EQ(object["name"].toString(), "ab");
  EXPECT_EQ(object["nameBytes"].toString(), "61620071" + QString(56, '0'));
  EXPECT_EQ(object["headWord"].toString(), "0000001F");
  EXPECT_EQ(object["trailerWord"].toString(), "0000002E");
  const QJsonObject point = object["points"][0].toObject();
  EXPECT_EQ(point["flags"].toString(), "00000083");
  EXPECT_EQ(point["x"].toDouble(), 1.0);
  EXPECT_EQ(point["xBits"].toString(), "3F800000");
  EXPECT_EQ(point["y"].toDouble(), -3.5);
  EXPECT_EQ(point["yBits"].toString(), "C0600000");
  EXPECT_EQ(point["z"].toString(), "nan");
}

TEST_F(JsonShapeTest, ReadableValuesAreTheShortestTextOfEachFloat) {
  tHeader doc;
  AddObject(doc, "f", 1).Point(1) = {0, 0.1f, std::numeric_limits<float>::max(), -0.0f};
  const QByteArray text = QJsonDocument(PathSetToJson(doc)).toJson(QJsonDocument::Compact);
  EXPECT_TRUE(text.contains("\"x\":0.1,")) << text.toStdString();
  EXPECT_TRUE(text.contains("\"y\":3.4028235e+38,")) << text.toStdString();
  // QJsonValue keeps no sign on a zero; the bits do.
  EXPECT_TRUE(text.contains("\"z\":0,\"zBits\":\"80000000\"")) << text.toStdString();
}

}  // namespace
}  // namespace qarn::test
