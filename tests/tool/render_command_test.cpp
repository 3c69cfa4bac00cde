#include <QImage>
#include <QProcess>
#include <optional>

#include "map/map_calibration.h"
#include "map/map_picture.h"
#include "map/render.h"
#include "map/scaled_map.h"
#include "tool_test_support.h"

namespace qarn::test {
namespace {

class RenderCommandTest : public ToolTest {
 protected:
  static tHeader ThreeObjects() {
    tHeader doc;
    tDesc& a = AddObject(doc, "a", 3);
    a.Point(1) = {0, 0, 0, 0};
    a.Point(2) = {0, 30, 0, 0};
    a.Point(3) = {0, 0, 0, 40};
    tDesc& b = AddObject(doc, "b", 4);
    for (int j = 1; j <= 4; ++j) b.Point(j) = {0, -500.0f + 20 * j, 10, 300.0f - 15 * j};
    tDesc& c = AddObject(doc, "c", 1);
    c.Point(1) = {0, 100, 0, -900};
    return doc;
  }

  // Renders into out.png and returns the picture the tool wrote.
  QImage RenderedByTool(const QStringList& extra) {
    const QString file = WriteDoc("marks.pathset", ThreeObjects());
    const ToolRun run = Invoke(QStringList{"render", file, Path("out.png")} + extra);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    return QImage(Path("out.png"));
  }

  static void ExpectSamePixels(const QImage& actual, const QImage& expected) {
    ASSERT_FALSE(actual.isNull());
    ASSERT_EQ(actual.size(), expected.size());
    const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
    const QImage e = expected.convertToFormat(QImage::Format_ARGB32);
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
      for (int x = 0; x < a.width(); ++x) differing += a.pixel(x, y) != e.pixel(x, y);
    }
    EXPECT_EQ(differing, 0);
  }

  QString UserMap(const QSize& size) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
      for (int x = 0; x < size.width(); ++x) picture.setPixel(x, y, qRgb(x % 256, y % 256, 90));
    }
    picture.save(Path("user_map.png"));
    return Path("user_map.png");
  }
};

TEST_F(RenderCommandTest, AllPointsOnTheBuiltInMap) {
  const QImage expected = RenderPathSet(MapPicture::BuiltInMap(), ThreeObjects(), std::nullopt);
  ExpectSamePixels(RenderedByTool({}), expected);
  EXPECT_NE(expected, MapPicture::BuiltInMap()) << "the document left no marks";
}

TEST_F(RenderCommandTest, OneObjectsMarksOnTheBuiltInMap) {
  const QImage expected = RenderPathSet(MapPicture::BuiltInMap(), ThreeObjects(), 2);
  ExpectSamePixels(RenderedByTool({"--object", "2"}), expected);
  EXPECT_NE(expected.convertToFormat(QImage::Format_ARGB32),
            RenderPathSet(MapPicture::BuiltInMap(), ThreeObjects(), std::nullopt)
                .convertToFormat(QImage::Format_ARGB32));
}

TEST_F(RenderCommandTest, MarksOnAUserMap) {
  const QString map = UserMap(QSize(kMapWidth, kMapHeight));
  const QImage expected = RenderPathSet(MapPicture::LoadUserMap(map), ThreeObjects(), 1);
  ExpectSamePixels(RenderedByTool({"--map", map, "--object=1"}), expected);
}

TEST_F(RenderCommandTest, SizeMakesAThumbnailWithTheMarksAtTheirOwnSize) {
  const MapPicture marked = MarkedMap(MapPicture::BuiltInMap(), ThreeObjects(), std::nullopt);
  const QImage thumbnail = RenderedByTool({"--size", "200"});
  EXPECT_EQ(thumbnail.size(), QSize(160, 200));
  ExpectSamePixels(thumbnail, ScaledMap(marked, 200));
}

TEST_F(RenderCommandTest, SizeThatIsNoWholePositiveNumberIsAUsageError) {
  const QString file = WriteDoc("marks.pathset", ThreeObjects());
  for (const char* size : {"0", "-5", "big", "12.5", ""}) {
    const ToolRun run = Invoke({"render", file, Path("out.png"), "--size", size});
    EXPECT_EQ(run.status, 2) << size;
    EXPECT_TRUE(run.err.contains(QStringLiteral("'%1'").arg(size))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.png")));
  }
}

// A picture of another size is placed by its world file: the marks land where the editor puts
// them with that calibration.
TEST_F(RenderCommandTest, MarksOnAPicturePlacedByItsWorldFile) {
  const QString map = UserMap(QSize(2000, 1500));
  const MapCalibration placed{0.5f, 0.75f, 1500.0f, 1400.0f};
  Write("user_map.pgw", QByteArray::fromStdString(WorldFileText(placed)));
  const QImage expected = RenderPathSet(MapPicture::LoadUserMap(map), ThreeObjects(), std::nullopt,
                                        MapTransform(placed));
  const QImage rendered = RenderedByTool({"--map", map});
  ExpectSamePixels(rendered, expected);
  // Object a's point 1, world (0, 0), is the origin pixel: its square's corner is black.
  EXPECT_EQ(rendered.pixel(1498, 1398), qRgb(0, 0, 0));
}

TEST_F(RenderCommandTest, APictureNothingPlacesIsRefusedWithAHint) {
  const QString file = WriteDoc("marks.pathset", ThreeObjects());
  const ToolRun run = Invoke({"render", file, Path("out.png"), "--map", UserMap({300, 200})});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("300 x 200 pixels) has no world file")) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("user_map.pgw")) << run.err.toStdString();
  EXPECT_TRUE(run.err.contains("qarn-tool calibrate")) << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("out.png")));
}

TEST_F(RenderCommandTest, CalibrateWritesTheWorldFileThatRenderUses) {
  const QString map = UserMap(QSize(600, 400));
  const ToolRun run =
      Invoke({"calibrate", map, "100", "50", "-20.5", "-300", "500", "350", "179.5", "-150"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, Path("user_map.pgw") + '\n');
  EXPECT_EQ(Read(Path("user_map.pgw")), "0.5\n0\n0\n0.5\n-70.5\n-325\n");
  EXPECT_EQ(RenderedByTool({"--map", map}).size(), QSize(600, 400));
}

struct BadCalibration {
  const char* label;
  QStringList numbers;
  int status;
  const char* message;
};

class CalibrateRefusalTest : public RenderCommandTest,
                             public ::testing::WithParamInterface<BadCalibration> {};

TEST_P(CalibrateRefusalTest, WritesNothingAndSaysWhy) {
  const QString map = UserMap(QSize(60, 40));
  const ToolRun run = Invoke(QStringList{"calibrate", map} + GetParam().numbers);
  EXPECT_EQ(run.status, GetParam().status);
  EXPECT_TRUE(run.err.contains(GetParam().message)) << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("user_map.pgw")));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CalibrateRefusalTest,
    ::testing::Values(
        BadCalibration{
            "SameColumn", {"5", "5", "0", "0", "5", "9", "1", "1"}, 1, "share a map column"},
        BadCalibration{"NotANumber",
                       {"5", "5", "0", "0", "9", "9", "1", "one"},
                       2,
                       "Z2 expects a number, not 'one'"},
        BadCalibration{"DecimalComma",
                       {"5", "5", "0,5", "0", "9", "9", "1", "1"},
                       2,
                       "X1 expects a number, not '0,5'"},
        BadCalibration{"TooFew", {"5", "5", "0", "0", "9", "9", "1"}, 2, "missing arguments"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(RenderCommandTest, ObjectThatDoesNotExistFailsNamingTheFileAndWritesNothing) {
  const QString file = WriteDoc("marks.pathset", ThreeObjects());
  const ToolRun run = Invoke({"render", file, Path("out.png"), "--object", "4"});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("marks.pathset: List index error: object 4 does not exist"))
      << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("out.png")));
}

TEST_F(RenderCommandTest, ObjectNumberThatIsNotANumberIsAUsageError) {
  const QString file = WriteDoc("marks.pathset", ThreeObjects());
  const ToolRun run = Invoke({"render", file, Path("out.png"), "--object", "two"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.err.contains("'two'"));
  EXPECT_FALSE(QFile::exists(Path("out.png")));
}

TEST_F(RenderCommandTest, UnusableMapsAreRefusedAndNothingIsWritten) {
  const QString file = WriteDoc("marks.pathset", ThreeObjects());
  Write("out.png", "previous");
  const QString small = UserMap(QSize(640, 800));  // and no world file
  const ToolRun wrongSize = Invoke({"render", file, Path("out.png"), "--map", small});
  EXPECT_EQ(wrongSize.status, 1);
  EXPECT_TRUE(wrongSize.err.contains("640 x 800")) << wrongSize.err.toStdString();
  const ToolRun missing = Invoke({"render", file, Path("out.png"), "--map", Path("none.png")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(missing.err.contains("none.png")) << missing.err.toStdString();
  EXPECT_EQ(Read(Path("out.png")), "previous");
}

TEST_F(RenderCommandTest, RefusedPathSetWritesNothing) {
  const ToolRun run =
      Invoke({"render", Write("bad.pathset", ImageOf(ThreeObjects()).left(60)), Path("out.png")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.contains("bad.pathset")) << run.err.toStdString();
  EXPECT_FALSE(QFile::exists(Path("out.png")));
}

// The executable draws without any display or platform plug-in configured.
TEST_F(RenderCommandTest, ExecutableRendersWithoutADisplay) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
  process.setProcessEnvironment(env);
  const QString file = WriteDoc("marks.pathset", ThreeObjects());
  process.start(QStringLiteral(QARN_TOOL_PATH), {"render", file, Path("out.png"), "--object", "3"});
  ASSERT_TRUE(process.waitForFinished(60000));
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  ExpectSamePixels(QImage(Path("out.png")),
                   RenderPathSet(MapPicture::BuiltInMap(), ThreeObjects(), 3));
}

}  // namespace
}  // namespace qarn::test
