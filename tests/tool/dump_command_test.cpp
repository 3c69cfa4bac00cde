#include <QLocale>
#include <QRegularExpression>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "tool_test_support.h"

namespace qarn::test {
namespace {

using Limits = std::numeric_limits<float>;

// Floats whose shortest decimal forms need many digits, or none at all.
const std::vector<float> kHardFloats = {0.1f,
                                        1.0f / 3.0f,
                                        -2.0f / 3.0f,
                                        Limits::max(),
                                        Limits::lowest(),
                                        Limits::min(),
                                        Limits::denorm_min(),
                                        -0.0f,
                                        16777217.0f,
                                        123456.789f,
                                        -1e-30f,
                                        3.4e38f,
                                        1e-7f,
                                        0.0f,
                                        -123.456f};

tHeader HardFloatDocument() {
  tHeader doc;
  tDesc& record = AddObject(doc, "hard", static_cast<int>(kHardFloats.size()), 7, 9);
  for (size_t i = 0; i < kHardFloats.size(); ++i) {
    const float v = kHardFloats[i];
    record.Point(i + 1) = {0xF0000000u + static_cast<uint32_t>(i), v, -v, v * 0.5f};
  }
  return doc;
}

// Restores the default locale after a test that changes it.
class DumpCommandTest : public ToolTest, public ::testing::WithParamInterface<QLocale::Language> {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale(GetParam())); }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }

  QString Dump(const tHeader& doc) {
    const ToolRun run = Invoke({"dump", WriteDoc("dump.pathset", doc)});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    return run.out;
  }
};

uint32_t Bits(float v) {
  return std::bit_cast<uint32_t>(v);
}

// Reads a float as a program reading the dump would: correctly rounded, whatever the locale.
float ParsedFloat(const QString& text) {
  const std::string digits = text.toStdString();
  float value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  EXPECT_EQ(result.ptr, digits.data() + digits.size()) << digits;
  return value;
}

TEST_P(DumpCommandTest, CoordinatesReadBackToTheSameFloats) {
  const tHeader doc = HardFloatDocument();
  static const QRegularExpression pointLine(
      "^  point (\\d+): flags ([0-9A-F]{8})  x (\\S+)  y (\\S+)  z (\\S+)$",
      QRegularExpression::MultilineOption);
  auto it = pointLine.globalMatch(Dump(doc));
  int seen = 0;
  while (it.hasNext()) {
    const auto match = it.next();
    const int j = match.captured(1).toInt();
    ASSERT_EQ(j, ++seen);
    const tPoint& expected = doc.Object(1).Point(j);
    EXPECT_EQ(match.captured(2).toUInt(nullptr, 16), expected.flags);
    EXPECT_EQ(Bits(ParsedFloat(match.captured(3))), Bits(expected.x))
        << match.captured(3).toStdString();
    EXPECT_EQ(Bits(ParsedFloat(match.captured(4))), Bits(expected.y))
        << match.captured(4).toStdString();
    EXPECT_EQ(Bits(ParsedFloat(match.captured(5))), Bits(expected.z))
        << match.captured(5).toStdString();
    EXPECT_FALSE(match.captured(0).contains(',')) << "locale leaked into the dump";
  }
  EXPECT_EQ(seen, static_cast<int>(kHardFloats.size()));
}

TEST_P(DumpCommandTest, NonFiniteValuesAreSpeltOut) {
  tHeader doc;
  tDesc& record = AddObject(doc, "odd", 1);
  record.Point(1) = {0x83, Limits::quiet_NaN(), Limits::infinity(), -Limits::infinity()};
  EXPECT_TRUE(Dump(doc).contains("  point 1: flags 00000083  x nan  y inf  z -inf\n"));
}

TEST_P(DumpCommandTest, ListsHeaderAndEveryObjectWithItsWords) {
  tHeader doc;
  AddObject(doc, "first", 2, 0x11, 0x22);
  AddObject(doc, "second", 0, 0xAB, 0xCD);
  doc.leadingWord = 0xFEEDF00D;
  const QStringList lines = Dump(doc).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], "leading word FEEDF00D");
  EXPECT_EQ(lines[1], "object count 2");
  EXPECT_EQ(lines[2], "last index 00000001");
  EXPECT_EQ(lines[3], "object 1 \"first\": 2 points, head word 00000011, trailer word 00000022");
  EXPECT_TRUE(lines[4].startsWith("  point 1: flags 00004269  x 1.5  y -0.25  z 999"));
  EXPECT_TRUE(lines[5].startsWith("  point 2: flags 0000426A  x 2.5  y -0.5  z 998"));
  EXPECT_EQ(lines[6], "object 2 \"second\": 0 points, head word 000000AB, trailer word 000000CD");
}

TEST_P(DumpCommandTest, ShowsNameBytesOnlyWhenSomethingFollowsTheFirstZero) {
  tHeader doc;
  AddObject(doc, "plain", 0);
  tDesc& hidden = AddObject(doc, "ab", 0);
  hidden.name[5] = 0xEE;
  const QString text = Dump(doc);
  EXPECT_EQ(text.count("name bytes"), 1);
  EXPECT_TRUE(text.contains("  name bytes 6162000000EE" + QString(52, '0') + "\n"))
      << text.toStdString();
}

TEST_P(DumpCommandTest, ReportsBytesAfterTheLastObject) {
  tHeader doc;
  AddObject(doc, "x", 1);
  const ToolRun run = Invoke({"dump", Write("tail.pathset", ImageOf(doc) + QByteArray(4, 'z'))});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.endsWith("4 bytes after the last object (not part of the document)\n"));
}

INSTANTIATE_TEST_SUITE_P(Locales, DumpCommandTest,
                         ::testing::Values(QLocale::German, QLocale::English),
                         [](const auto& info) {
                           return QLocale::languageToString(info.param).toStdString();
                         });

TEST_F(ToolTest, DumpOfARefusedFileFailsAndNamesIt) {
  const ToolRun run = Invoke({"dump", Write("short.pathset", QByteArray(10, '\0'))});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_TRUE(run.err.contains("short.pathset")) << run.err.toStdString();
}

}  // namespace
}  // namespace qarn::test
