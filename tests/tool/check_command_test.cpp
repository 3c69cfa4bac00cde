#include <QFileInfo>
#include <functional>
#include <memory>

#include "document/errors.h"
#include "document/file_buffer.h"
#include "fileio/path_set_file.h"
#include "tool_test_support.h"

namespace qarn::test {
namespace {

class CheckCommandTest : public ToolTest {
 protected:
  // Two objects of 3 and 5 points: 12 + (44 + 48) + (44 + 80) = 228 bytes.
  static tHeader TwoObjects() {
    tHeader doc;
    AddObject(doc, "giz_bridge01_l", 3, 0x11, 0x22);
    AddObject(doc, "sp_jumptrailer_f", 5, 0x33, 0x44);
    return doc;
  }

  // The message the editor shows when it loads `path`.
  static QString EditorMessage(const QString& path) {
    auto buffer = std::make_unique<FileBuffer>();
    try {
      LoadPathSetFile(path, *buffer);
    } catch (const QarnError& e) {
      return QString::fromStdString(e.what());
    }
    return {};
  }
};

TEST_F(CheckCommandTest, GoodFileReportsItsCountsAndLength) {
  const QString path = WriteDoc("good.pathset", TwoObjects());
  const ToolRun run = Invoke({"check", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, path + ": ok (2 objects, 8 points, 228 bytes)\n");
  EXPECT_TRUE(run.err.isEmpty());
}

TEST_F(CheckCommandTest, EmptyPathSetIsGood) {
  const QString path = WriteDoc("empty.pathset", tHeader());
  EXPECT_EQ(Invoke({"check", path}).out, path + ": ok (0 objects, 0 points, 12 bytes)\n");
}

TEST_F(CheckCommandTest, TrailingBytesAreAllowedAndCountedInTheLength) {
  const QString path = Write("tail.pathset", ImageOf(TwoObjects()) + QByteArray("\xDE\xAD\xBE", 3));
  const ToolRun run = Invoke({"check", path});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, path + ": ok (2 objects, 8 points, 231 bytes)\n");
}

TEST_F(CheckCommandTest, OneBadFileAmongGoodOnesFailsTheRunButAllAreReported) {
  const QString good = WriteDoc("a.pathset", TwoObjects());
  const QString bad = Write("b.pathset", ImageOf(TwoObjects()).left(100));
  const QString alsoGood = WriteDoc("c.pathset", tHeader());
  const ToolRun run = Invoke({"check", good, bad, alsoGood});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out.count(": ok ("), 2);
  EXPECT_TRUE(run.out.startsWith(good + ": ok")) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains(alsoGood + ": ok"));
  EXPECT_TRUE(run.err.startsWith(bad + ": error: ")) << run.err.toStdString();
  EXPECT_EQ(run.err.count('\n'), 1);
}

// A refused file: how to damage the image of TwoObjects, and what the message must show.
struct Refusal {
  const char* label;
  std::function<QByteArray(QByteArray)> damage;
  const char* expectedText;
};

class CheckRefusalTest : public CheckCommandTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(CheckRefusalTest, PrintsTheEditorsMessageOnceWithTheFileName) {
  const QString path = Write("damaged.pathset", GetParam().damage(ImageOf(TwoObjects())));
  const ToolRun run = Invoke({"check", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.out.isEmpty());
  const QString message = EditorMessage(path);
  ASSERT_FALSE(message.isEmpty()) << "the editor accepts this file";
  const QString name = QFileInfo(path).fileName();
  ASSERT_TRUE(message.startsWith(name + ": "));
  EXPECT_EQ(run.err, path + ": error: " + message.mid(name.size() + 2) + "\n");
  EXPECT_EQ(run.err.count(name), 1) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains(GetParam().expectedText)) << run.err.toStdString();
}

QByteArray Cut(QByteArray bytes, qsizetype length) {
  return bytes.left(length);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CheckRefusalTest,
    ::testing::Values(
        // Object 2 starts at 12 + 44 + 48 = 104; its points end at 104 + 40 + 80 = 224.
        Refusal{"TruncatedInsidePoints", [](QByteArray b) { return Cut(b, 200); },
                "object 2 at byte 104"},
        Refusal{"TruncatedInsideHead", [](QByteArray b) { return Cut(b, 120); }, "byte 104"},
        Refusal{"MissingLastObject", [](QByteArray b) { return Cut(b, 104); }, "byte 104"},
        Refusal{"ShorterThanHeader", [](QByteArray b) { return Cut(b, 7); }, "7 bytes"},
        Refusal{"TooManyPoints",
                [](QByteArray b) {
                  PutWord(b, 104 + 32, 257);
                  return b;
                },
                "object 2 at byte 104: Range check error: the point count is 257"},
        Refusal{"ObjectCountTooLarge",
                [](QByteArray b) {
                  PutWord(b, 4, 70000);
                  return b;
                },
                "byte 4 is 70000"},
        Refusal{"LargerThanTheFileBuffer",
                [](QByteArray b) { return b + QByteArray(kBufferSize, '\0'); }, "60001"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(CheckCommandTest, MissingFileIsAnInputOutputError) {
  const QString path = Path("nowhere.pathset");
  const ToolRun run = Invoke({"check", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.startsWith(path + ": error: I/O error: ")) << run.err.toStdString();
}

TEST_F(CheckCommandTest, NeedsAtLeastOneFile) {
  EXPECT_EQ(Invoke({"check"}).status, 2);
}

}  // namespace
}  // namespace qarn::test
