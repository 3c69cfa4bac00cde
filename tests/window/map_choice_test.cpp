// The user's own map: chosen in the window, placed by its world file or by two clicks in the
// calibration dialog, remembered for the document and as the default.
#include "window/map_choice.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QSaveFile>
#include <QSettings>
#include <QSpinBox>

#include "fileio/safe_write.h"
#include "form_driver.h"
#include "map/map_placement.h"
#include "window/calibration_dialog.h"
#include "window/calibration_picture.h"
#include "window/map_canvas.h"
#include "window/map_view.h"

namespace qarn::testing {
namespace {

// Street-like picture: pale lines every 50 pixels on a green ground, two colours only.
QImage Streets(QSize size) {
  QImage picture(size, QImage::Format_Indexed8);
  picture.setColorTable({qRgb(60, 150, 70), qRgb(245, 245, 235)});
  for (int y = 0; y < size.height(); ++y) {
    uchar* line = picture.scanLine(y);
    for (int x = 0; x < size.width(); ++x) line[x] = (x % 50 == 0 || y % 50 == 0) ? 1 : 0;
  }
  return picture;
}

// World x = 2 * column - 1000, z = 3 * row - 600: world (0, 0) is pixel (500, 200).
const MapCalibration kPlaced{2.0f, 3.0f, 500.0f, 200.0f};

class MapChoiceTest : public ::testing::Test {
 protected:
  FormDriver ui;

  ~MapChoiceTest() override {
    // The window tests share one settings folder: the next test starts without a remembered map.
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "qarn", "qarn").remove("map");
  }

  QString Picture(const QString& name, QSize size, bool placed) {
    const QString path = ui.TempPath(name);
    EXPECT_TRUE(Streets(size).save(path));
    if (placed) WriteWorldFile(path, kPlaced);
    return path;
  }
  QAction* Action(const QString& text) {
    for (QAction* action : ui.form().actions()) {
      if (action->text() == text) return action;
    }
    ADD_FAILURE() << "no action " << text.toStdString();
    return nullptr;
  }
  void Choose(const QString& path) {
    ui.dialogs().openAnswers.push_back(path);
    Action("Map picture...")->trigger();
  }
  MapView* View() { return ui.form().findChild<MapView*>(QStringLiteral("ScrollBox1")); }
  MapCanvas* Canvas() { return ui.form().findChild<MapCanvas*>(QStringLiteral("Image1")); }
  CalibrationDialog* Dialog() { return ui.form().Maps().OpenDialog(); }
  void ClickPicture(QPoint pixel) {
    auto* picture = Dialog()->findChild<CalibrationPicture*>("CalibrationPicture");
    QTest::mouseClick(picture, Qt::LeftButton, {}, pixel);
  }
  void TypeWorld(int point, const QString& x, const QString& z) {
    for (const auto& [axis, text] : {std::pair{QString("x"), x}, {QString("z"), z}}) {
      for (auto* field : Dialog()->findChildren<QLineEdit*>()) {
        if (field->accessibleName() == QString("Point %1 world %2").arg(point).arg(axis)) {
          field->clear();
          QTest::keyClicks(field, text);
        }
      }
    }
  }
  void PressOk() {
    auto* box = Dialog()->findChild<QDialogButtonBox*>();
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
  }
  // An object of two points, the first at map pixel (700, 350) under kPlaced.
  void LoadObject() {
    ui.Load(ui.WriteFile("one.pathset",
                         MakeDocument({MakeObject("a", {P(400, 0, 450), P(440, 0, 450)})})));
  }
};

class OwnPictureZoomTest : public MapChoiceTest, public ::testing::WithParamInterface<double> {};

// A 2000 x 1500 picture with a world file: the marks stand on their pixels, and pick and the
// status line give the world position of the pixel under the pointer at every zoom.
TEST_P(OwnPictureZoomTest, MarksAndPickFollowTheWorldFile) {
  LoadObject();
  Choose(Picture("city.png", {2000, 1500}, true));
  EXPECT_TRUE(ui.dialogs().errors.isEmpty()) << ui.dialogs().errors.join('\n').toStdString();
  EXPECT_EQ(ui.form().MapImage().size(), QSize(2000, 1500));
  EXPECT_EQ(MapCalibration(ui.form().Transform()), kPlaced);
  ui.ClickRow("Names", 1);
  // The disc's red filling around point 1's pixel.
  EXPECT_EQ(ui.form().MapImage().pixel(700, 352), qRgb(255, 0, 0));
  View()->SetScale(GetParam());
  QApplication::processEvents();
  EXPECT_EQ(Canvas()->size(), ViewTransform(GetParam()).ViewSize({2000, 1500}));
  const QPoint at = Canvas()->View().ViewPixelOf({1234, 987});
  const QPoint pixel = Canvas()->View().MapPixelAt(at);  // below 100 % a neighbour of it
  QTest::mouseClick(Canvas(), Qt::LeftButton, {}, at);
  EXPECT_EQ(float(ui.Float("xEdit")->Value()), 2.0f * float(pixel.x()) - 1000);
  EXPECT_EQ(float(ui.Float("zEdit")->Value()), 3.0f * float(pixel.y()) - 600);
  const QPoint fill = Canvas()->View().ViewPixelOf({700, 350}) + QPoint(0, 2);
  const QImage shown = Canvas()->grab(QRect(fill, QSize(1, 1))).toImage();
  EXPECT_EQ(QColor(shown.pixel(0, 0)).red(), 255) << "the disc at " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Levels, OwnPictureZoomTest, ::testing::Values(0.25, 1.0, 4.0));

TEST_F(MapChoiceTest, APictureWithoutWorldFileIsCalibratedByTwoClicksAndGetsOne) {
  LoadObject();
  const QString path = Picture("scan.png", {900, 700}, false);
  Choose(path);
  ASSERT_EQ(ui.dialogs().errors.size(), 1);
  EXPECT_TRUE(ui.dialogs().errors[0].contains("scan.pgw")) << ui.dialogs().errors[0].toStdString();
  ASSERT_NE(Dialog(), nullptr) << "the calibration dialog opens by itself";
  ClickPicture({500, 200});
  TypeWorld(1, "0", "0");
  ClickPicture({700, 350});
  TypeWorld(2, "400", "450");
  PressOk();
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(MapCalibration(ui.form().Transform()), kPlaced);
  EXPECT_EQ(ExistingWorldFile(path), ui.TempPath("scan.pgw"));
  EXPECT_EQ(LoadPlacedMap(path).calibration, kPlaced);
  // The marks moved at once: the squares of "Points" now stand on point 1's pixel.
  EXPECT_EQ(ui.form().MapImage().pixel(698, 348), qRgb(0, 0, 0));
}

TEST_F(MapChoiceTest, TheSelectedObjectsPointOneGivesTheWorldPosition) {
  LoadObject();
  ui.ClickRow("Names", 1);
  Action("Calibrate map...")->trigger();
  ASSERT_NE(Dialog(), nullptr);
  ClickPicture({700, 350});
  Dialog()->findChild<QPushButton*>("TakePointOne1")->click();
  ClickPicture({500, 200});
  TypeWorld(2, "0", "0");
  PressOk();
  EXPECT_EQ(MapCalibration(ui.form().Transform()), kPlaced);
  // The built-in map has no file beside it: its calibration is kept for the next start.
  FormDriver next;
  next.form().Maps().Start({});
  EXPECT_EQ(MapCalibration(next.form().Transform()), kPlaced);
}

TEST_F(MapChoiceTest, RefusedPointsKeepTheDialogOpenAndCancelChangesNothing) {
  const MapTransform before = ui.form().Transform();
  Action("Calibrate map...")->trigger();
  ClickPicture({100, 100});
  TypeWorld(1, "0", "0");
  ClickPicture({100, 300});
  TypeWorld(2, "10", "10");
  PressOk();
  ASSERT_NE(Dialog(), nullptr);
  EXPECT_TRUE(Dialog()->findChild<QLabel*>("CalibrationMessage")->text().contains("column"));
  TypeWorld(2, "x", "10");
  PressOk();
  ASSERT_NE(Dialog(), nullptr);
  QTest::keyClick(Dialog(), Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(MapCalibration(ui.form().Transform()), MapCalibration(before));
}

// Where the world file cannot be written the calibration is kept in the settings for the
// picture, and the next opening of the picture finds it there.
class FailingOpen : public SaveFileSteps {
 public:
  bool Open(QSaveFile&, QString& reason) override {
    reason = QStringLiteral("Read-only file system");
    return false;
  }
};

TEST_F(MapChoiceTest, AnUnwritableFolderKeepsTheCalibrationInTheSettings) {
  const QString path = Picture("ro.png", {900, 700}, false);
  Choose(path);
  FailingOpen failing;
  const ScopedSaveFileSteps seam(failing);
  ClickPicture({500, 200});
  TypeWorld(1, "0", "0");
  ClickPicture({700, 350});
  TypeWorld(2, "400", "450");
  PressOk();
  ASSERT_EQ(ui.dialogs().errors.size(), 2);
  EXPECT_TRUE(ui.dialogs().errors[1].contains("Read-only file system"));
  EXPECT_TRUE(ExistingWorldFile(path).isEmpty());
  Action("Built-in map")->trigger();
  EXPECT_EQ(ui.form().MapImage().size(), QSize(1280, 1600));
  EXPECT_EQ(MapCalibration(ui.form().Transform()), MapCalibration());
  Choose(path);
  EXPECT_EQ(MapCalibration(ui.form().Transform()), kPlaced);
  EXPECT_EQ(Dialog(), nullptr) << "a picture placed by the settings asks nothing";
}

TEST_F(MapChoiceTest, TheChoiceIsRememberedForTheDocumentAndAsTheDefault) {
  LoadObject();
  const QString city = Picture("city.png", {2000, 1500}, true);
  Choose(city);
  const QString other = ui.WriteFile("other.pathset", MakeDocument({}));
  ui.Load(other);
  Action("Built-in map")->trigger();
  ui.Load(ui.TempPath("one.pathset"));
  EXPECT_EQ(ui.form().Maps().PicturePath(), city);
  EXPECT_EQ(ui.form().MapImage().size(), QSize(2000, 1500));
  ui.Load(other);
  EXPECT_TRUE(ui.form().Maps().PicturePath().isEmpty());
  // A new window starts with the map last chosen.
  Choose(city);
  FormDriver next;
  next.form().Maps().Start({});
  EXPECT_EQ(next.form().MapImage().size(), QSize(2000, 1500));
}

}  // namespace
}  // namespace qarn::testing
