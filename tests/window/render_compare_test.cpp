// qarn-tool's "render" draws a file's marks without a window; its picture must be the map the
// editor shows for the same file, pixel for pixel. The real executable runs here, as a user
// would run it, on the same file the form loaded.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include "form_driver.h"
#include "map/map_picture.h"

namespace qarn::testing {
namespace {

// The tool is built beside the tests: <build>/src/tool and <build>/tests/window.
QString ToolPath() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/../../src/tool/qarn-tool");
}

// Both pictures as 32-bit colours: the PNG may come back indexed or not.
::testing::AssertionResult SamePixels(const QImage& expected, const QImage& actual) {
  if (expected.size() != actual.size()) {
    return ::testing::AssertionFailure()
           << "sizes differ: " << expected.width() << " x " << expected.height() << " and "
           << actual.width() << " x " << actual.height();
  }
  const QImage e = expected.convertToFormat(QImage::Format_RGB32);
  const QImage a = actual.convertToFormat(QImage::Format_RGB32);
  int differing = 0;
  QPoint first;
  for (int y = 0; y < e.height(); ++y) {
    const auto* eRow = reinterpret_cast<const QRgb*>(e.constScanLine(y));
    const auto* aRow = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    for (int x = 0; x < e.width(); ++x) {
      if (eRow[x] == aRow[x]) continue;
      if (differing++ == 0) first = QPoint(x, y);
    }
  }
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << differing << " pixels differ, the first at (" << first.x() << ", " << first.y()
         << "): " << std::hex << e.pixel(first) << " against " << a.pixel(first);
}

// Objects whose marks cover every kind: disc, line and crosses with a point far off the map;
// two points closer than 12 pixels (the lengthened line); one point (a cross); no points; marks
// cut by the picture's edges.
tHeader Sample() {
  return MakeDocument({
      MakeObject("tree", {P(-200, 0, 100), P(-120, 0, 160), P(-200, 0, 400), P(-120, 0, 460),
                          P(90000, 0, 90000)}),
      MakeObject("bush", {P(500, 3, -1500), P(505, 3, -1498), P(510, 3, -1496)}),
      MakeObject("rock", {P(-1800, 0, 1200)}),
      MakeObject("empty", {}),
      MakeObject("edge", {P(-2840, 0, -2855), P(-2700, 0, -2855), P(760, 0, 2000)}),
  });
}

class RenderCompareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QFileInfo(ToolPath()).isExecutable())
        << "qarn-tool not built at " << ToolPath().toStdString();
    path_ = driver_.WriteFile(QStringLiteral("marks.pathset"), Sample());
    driver_.Load(path_);
    ASSERT_TRUE(driver_.dialogs().errors.isEmpty())
        << driver_.dialogs().errors.join('\n').toStdString();
    ASSERT_EQ(driver_.doc().objectCount, 5u);
  }

  // Runs "qarn-tool render FILE OUT.png [arguments]" and reads OUT.png back.
  QImage Render(const QString& file, const QStringList& arguments = {}) {
    const QString out = driver_.TempPath(QStringLiteral("render%1.png").arg(++renders_));
    QProcess tool;
    tool.start(ToolPath(), QStringList{QStringLiteral("render"), file, out} + arguments);
    if (!tool.waitForFinished(60000)) {
      ADD_FAILURE() << "qarn-tool did not finish: " << tool.errorString().toStdString();
      return QImage();
    }
    EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    return QImage(out);
  }
  QImage RenderObject(const QString& file, int n) {
    return Render(file, {QStringLiteral("--object"), QString::number(n)});
  }
  const QImage& EditorMap() { return driver_.form().MapImage(); }

  FormDriver driver_;
  QString path_;
  int renders_ = 0;
};

TEST_F(RenderCompareTest, AllPointsAreTheMapAfterPoints) {
  driver_.ClickRow(QStringLiteral("Names"), 2);  // the map shows object 2's marks first
  driver_.Click(QStringLiteral("Button3"));
  EXPECT_TRUE(SamePixels(Render(path_), EditorMap()));
  EXPECT_FALSE(SamePixels(MapPicture::BuiltInMap(), EditorMap()));
}

TEST_F(RenderCompareTest, OneObjectsMarksAreNotAllPoints) {
  driver_.ClickRow(QStringLiteral("Names"), 1);
  EXPECT_FALSE(SamePixels(Render(path_), EditorMap()));
  EXPECT_FALSE(SamePixels(RenderObject(path_, 2), EditorMap()));
}

TEST_F(RenderCompareTest, AMovedObjectIsDrawnAsTheToolDrawsTheSavedFile) {
  driver_.ClickRow(QStringLiteral("Names"), 1);
  driver_.Type(QStringLiteral("mEdit"), QStringLiteral("100"));
  driver_.Click(QStringLiteral("eButton"));
  const QString saved = driver_.TempPath(QStringLiteral("moved.pathset"));
  driver_.Save(saved);
  ASSERT_TRUE(driver_.dialogs().errors.isEmpty())
      << driver_.dialogs().errors.join('\n').toStdString();
  EXPECT_TRUE(SamePixels(RenderObject(saved, 1), EditorMap()));
  EXPECT_FALSE(SamePixels(RenderObject(path_, 1), EditorMap()));
}

class RenderObjectCompareTest : public RenderCompareTest,
                                public ::testing::WithParamInterface<int> {};

TEST_P(RenderObjectCompareTest, TheObjectsMarksAreTheMapAfterClickingItsRow) {
  const int n = GetParam();
  driver_.Click(QStringLiteral("Button3"));  // all squares first, so the click must replace them
  driver_.ClickRow(QStringLiteral("Names"), n);
  ASSERT_EQ(driver_.Grid(QStringLiteral("Names"))->Row(), n);
  EXPECT_TRUE(SamePixels(RenderObject(path_, n), EditorMap()));
}

INSTANTIATE_TEST_SUITE_P(EveryObject, RenderObjectCompareTest, ::testing::Range(1, 6));

}  // namespace
}  // namespace qarn::testing
