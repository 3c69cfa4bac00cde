#include "map/scaled_map.h"

#include <gtest/gtest.h>

#include "map/map_picture.h"

namespace qarn {
namespace {

struct ScaleCase {
  int longestSide;
  QSize size;  // of the scaled map
};

class ScaledMapTest : public ::testing::TestWithParam<ScaleCase> {
 protected:
  // A square at the map's centre, a disc near its top left corner.
  static MapPicture Marked() {
    MapPicture picture(MapPicture::BuiltInMap());
    picture.ShowMarks({{MarkKind::Square, {640, 800}, {}}, {MarkKind::ObjectDisc, {100, 100}, {}}});
    return picture;
  }
  // Where a mark at map pixel `p` lands.
  static QPoint Scaled(QPoint p, const QImage& scaled) {
    const double scale = double(scaled.height()) / kMapHeight;
    return QPoint(int((p.x() + 0.5) * scale), int((p.y() + 0.5) * scale));
  }
};

TEST_P(ScaledMapTest, LongerSideAsAskedAndTheMarksAtTheirOwnSize) {
  const MapPicture picture = Marked();
  const QImage scaled = ScaledMap(picture, GetParam().longestSide);
  ASSERT_EQ(scaled.size(), GetParam().size);
  if (scaled.size() == picture.Image().size()) {
    EXPECT_EQ(scaled, picture.Image()) << "never enlarged, and unchanged at full size";
    return;
  }
  // The square's left edge and the disc's red middle, whatever the scale.
  const QPoint square = Scaled({640, 800}, scaled);
  EXPECT_EQ(scaled.pixelColor(square.x() - 2, square.y()), QColor(Qt::black));
  const QPoint disc = Scaled({100, 100}, scaled);
  EXPECT_EQ(scaled.pixelColor(disc), QColor(Qt::red));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScaledMapTest,
                         ::testing::Values(ScaleCase{16, {13, 16}}, ScaleCase{128, {102, 128}},
                                           ScaleCase{256, {205, 256}}, ScaleCase{1000, {800, 1000}},
                                           ScaleCase{1600, {1280, 1600}},
                                           ScaleCase{5000, {1280, 1600}}));

}  // namespace
}  // namespace qarn
