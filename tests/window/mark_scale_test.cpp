// The marks on the map at the text scale ctest gives in QT_SCALE_FACTOR (one and a half, twice):
// each comes out as its shape at 100 %, every pixel of it a square of the same number of device
// pixels, so no arm of a cross is longer than another and no rim is thicker on one side.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <tuple>

#include "map/map_palette.h"
#include "map/map_picture.h"
#include "window/map_canvas.h"
#include "window/map_view.h"

namespace qarn::testing {
namespace {

struct MarkCase {
  const char* name;
  MarkKind kind;
  QSize shape;  // in pixels at 100 % on a screen of one device pixel per view pixel
};

constexpr QPoint kAt(600, 700);

class MarkScaleTest : public ::testing::TestWithParam<std::tuple<MarkCase, double>> {
 protected:
  MapPicture picture{ToMarkablePicture(BlankMap())};
  MapView view{picture, nullptr};

  static QImage BlankMap() {
    QImage blank(1280, 1600, QImage::Format_RGB32);
    blank.fill(Qt::white);
    return blank;
  }
  // The device pixels of the canvas around the mark, and where the centre of its map pixel is.
  QImage Shown(double zoom, QPointF* centre) {
    view.resize(400, 300);
    view.SetScale(zoom);
    view.show();
    MapCanvas* canvas = view.Canvas();
    const QPointF mapCentre = (QPointF(kAt) + QPointF(0.5, 0.5)) * zoom;
    const QRect around(mapCentre.toPoint() - QPoint(60, 60), QSize(120, 120));
    const QImage shown = canvas->grab(around).toImage().convertToFormat(QImage::Format_RGB32);
    *centre = (mapCentre - around.topLeft()) * shown.devicePixelRatio();
    return shown;
  }
};

QRect MarkedBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

TEST_P(MarkScaleTest, EveryPixelOfTheMarkIsAnEvenSquareOfDevicePixels) {
  const auto& [c, zoom] = GetParam();
  picture.ShowMarks({Mark{c.kind, kAt, kAt, 1, 1}});
  QPointF centre;
  const QImage shown = Shown(zoom, &centre);
  const double ratio = shown.devicePixelRatio();
  ASSERT_NE(ratio, 1.0) << "run with QT_SCALE_FACTOR";
  const QRect bounds = MarkedBounds(shown);
  ASSERT_FALSE(bounds.isEmpty());
  ASSERT_EQ(bounds.width() % c.shape.width(), 0) << "a whole number of device pixels";
  const int unit = bounds.width() / c.shape.width();
  EXPECT_EQ(bounds.height(), c.shape.height() * unit);
  EXPECT_GE(unit, std::floor(std::max(zoom, 1.0) * ratio)) << "the mark grows with the screen";
  for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
    for (int x = bounds.left(); x <= bounds.right(); ++x) {
      const QPoint corner(x - (x - bounds.left()) % unit, y - (y - bounds.top()) % unit);
      ASSERT_EQ(shown.pixel(x, y), shown.pixel(corner)) << "at " << x << "," << y;
    }
  }
  const QPointF middle = QRectF(bounds).center();
  EXPECT_LE(std::abs(middle.x() - centre.x()), unit + 0.5) << "on its point";
  EXPECT_LE(std::abs(middle.y() - centre.y()), unit + 0.5);
}

// Shapes as drawn at 100 %: the square's outline 5 x 5, the disc 8 x 8, the cross's two
// diagonals of 8 pixels over 8 columns and 9 rows.
INSTANTIATE_TEST_SUITE_P(
    Marks, MarkScaleTest,
    ::testing::Combine(::testing::Values(MarkCase{"square", MarkKind::Square, {5, 5}},
                                         MarkCase{"cross", MarkKind::Cross, {8, 9}},
                                         MarkCase{"disc", MarkKind::ObjectDisc, {8, 8}}),
                       ::testing::Values(0.5, 1.0, 1.5)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "_at_" +
             std::to_string(int(std::get<1>(info.param) * 100));
    });

}  // namespace
}  // namespace qarn::testing
