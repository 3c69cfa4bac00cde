#include "map/zoomed_map.h"

#include <gtest/gtest.h>

#include "map/map_handles.h"
#include "map/map_palette.h"
#include "map/map_picture.h"
#include "map/map_transform.h"
#include "map_test_support.h"

namespace qarn {
namespace {

using test::MakeDocument;

class ZoomedMapTest : public ::testing::Test {
 protected:
  MapPicture picture_{MapPicture::BuiltInMap()};
  MapTransform t_;
  ZoomedMap zoomed_;

  // An object of three points: point 1 at pixel (600, 700), point 2 a few pixels right, point 3
  // further down.
  void SelectObject() {
    const tHeader doc = MakeDocument({{{t_.MapToWorldX(600), 0, t_.MapToWorldZ(700)},
                                       {t_.MapToWorldX(603), 0, t_.MapToWorldZ(700)},
                                       {t_.MapToWorldX(600), 0, t_.MapToWorldZ(760)}}});
    test::DegreesModeGuard degrees;
    SetDegreesMode(true);
    picture_.DrawObjectMarks(doc.Object(1), t_);
  }
};

TEST_F(ZoomedMapTest, AtFullSizeThePieceIsThePictureConvertedAsQtConvertsIt) {
  SelectObject();
  const QRect area(505, 525, 423, 532);
  const QImage piece = zoomed_.Piece(picture_, ViewTransform(1), area);
  EXPECT_EQ(piece, picture_.Image().copy(area).convertToFormat(QImage::Format_RGB32));
}

TEST_F(ZoomedMapTest, AboveFullSizeEveryMapPixelIsACrispBlock) {
  SelectObject();
  for (int scale : {2, 3, 8}) {
    const ViewTransform view(scale);
    const QRect area =
        view.ViewRectOf(QRect(590, 690, 20, 20)) & QRect(QPoint(), view.ViewSize({1280, 1600}));
    const QImage piece = zoomed_.Piece(picture_, view, area);
    for (int y = 0; y < piece.height(); y += 3) {
      for (int x = 0; x < piece.width(); x += 3) {
        const QPoint map = view.MapPixelAt(area.topLeft() + QPoint(x, y));
        ASSERT_EQ(piece.pixel(x, y), picture_.Image().pixel(map))
            << scale << " at " << x << "," << y;
      }
    }
  }
}

TEST_F(ZoomedMapTest, BelowFullSizeTheMarksKeepTheirSizeInViewPixels) {
  SelectObject();
  for (double scale : {0.25, 0.33, 0.5, 0.67}) {
    const ViewTransform view(scale);
    const QImage piece =
        zoomed_.Piece(picture_, view, QRect(QPoint(), view.ViewSize({1280, 1600})));
    const QPoint disc = view.ViewPixelOf({600, 700});
    EXPECT_EQ(piece.pixel(disc + QPoint(0, 2)), kMarkRed) << scale << ": the disc's filling";
    EXPECT_EQ(piece.pixel(disc + QPoint(-4, 0)), kMarkBlack) << scale << ": the disc's rim";
    const QPoint cross = view.ViewPixelOf({600, 760});
    EXPECT_EQ(piece.pixel(cross + QPoint(3, 3)), kMarkBlack) << scale << ": the cross's arm";
    const QPoint lineEnd = *HandlePosition(picture_.Marks(), view, MapHandle::LineEnd);
    EXPECT_EQ(lineEnd, disc + QPoint(12, 0)) << scale << ": the short line keeps 12 pixels";
    EXPECT_EQ(piece.pixel(lineEnd - QPoint(1, 0)), kMarkBlack) << scale;
  }
}

TEST_F(ZoomedMapTest, BelowFullSizeThePictureIsSmoothedNotSampled) {
  const ViewTransform view(0.25);
  const QImage piece = zoomed_.Piece(picture_, view, QRect(0, 0, 320, 400));
  // The smoothed picture holds blends the palette does not have.
  const QList<QRgb> palette = picture_.Image().colorTable();
  int blends = 0;
  for (int y = 0; y < 400; y += 7) {
    for (int x = 0; x < 320; x += 7) blends += !palette.contains(piece.pixel(x, y) | kMarkBlack);
  }
  EXPECT_GT(blends, 0);
}

struct HandleCase {
  double scale;
  QPoint offset;  // from the disc's view position
  MapHandle handle;
};

class MapHandleTest : public ZoomedMapTest, public ::testing::WithParamInterface<HandleCase> {};

TEST_P(MapHandleTest, ThePointerTakesHoldOfTheDiscOrTheLineEnd) {
  SelectObject();
  const HandleCase& c = GetParam();
  const ViewTransform view(c.scale);
  const QPoint disc = view.ViewPixelOf({600, 700});
  EXPECT_EQ(HandleAt(picture_.Marks(), view, disc + c.offset), c.handle);
}

INSTANTIATE_TEST_SUITE_P(Zoom, MapHandleTest,
                         ::testing::Values(HandleCase{1, {0, 0}, MapHandle::Disc},
                                           HandleCase{1, {3, -3}, MapHandle::Disc},
                                           HandleCase{1, {12, 0}, MapHandle::LineEnd},
                                           HandleCase{1, {6, 0}, MapHandle::None},
                                           HandleCase{1, {0, 9}, MapHandle::None},
                                           HandleCase{2, {8, 0}, MapHandle::Disc},
                                           HandleCase{2, {24, 1}, MapHandle::LineEnd},
                                           HandleCase{2, {16, 0}, MapHandle::None},
                                           HandleCase{0.5, {12, 0}, MapHandle::LineEnd},
                                           HandleCase{0.5, {4, 0}, MapHandle::Disc}));

struct GripCase {
  const char* name;
  double scale;
  QPoint pixel;   // map pixel pressed
  QPoint offset;  // view pixels from it
  bool ctrl;
  MapGrip grip;
};

class MapGripTest : public ZoomedMapTest, public ::testing::WithParamInterface<GripCase> {};

// Object 1 is current: point 1 (the disc) at (600, 700), point 2 three pixels right (under the
// disc; the short line ends 12 pixels out), point 3 at (600, 760). Object 2 is selected as well,
// object 3 is not.
TEST_P(MapGripTest, HandlesTakePrecedenceInOneOrderAtEveryZoom) {
  const GripCase& c = GetParam();
  SelectObject();
  const auto at = [this](int x, int y) {
    return test::WorldPoint{t_.MapToWorldX(float(x)), 0, t_.MapToWorldZ(float(y))};
  };
  const tHeader doc =
      MakeDocument({{at(600, 700), at(603, 700), at(600, 760)}, {at(700, 700)}, {at(800, 700)}});
  const int selected[] = {1, 2};
  const ViewTransform view(c.scale);
  const QPoint pressed = view.ViewPixelOf(c.pixel) + c.offset;
  EXPECT_EQ(GripAt(picture_.Marks(), {doc, t_, 1, selected}, view, pressed, c.ctrl), c.grip);
}

constexpr MapGrip kNoGrip{};

INSTANTIATE_TEST_SUITE_P(
    Zoom, MapGripTest,
    ::testing::Values(
        GripCase{"DiscBeforePointTwo", 1, {603, 700}, {}, false, {MapHandle::Disc, {1, 1}}},
        GripCase{"CtrlTakesPointTwo", 1, {603, 700}, {}, true, {MapHandle::Point, {1, 2}}},
        GripCase{"CtrlTakesPointOne", 2, {600, 700}, {1, 0}, true, {MapHandle::Point, {1, 1}}},
        GripCase{"LineEnd", 1, {612, 700}, {}, false, {MapHandle::LineEnd, {1, 2}}},
        GripCase{"PointThree", 1, {600, 760}, {0, 5}, false, {MapHandle::Point, {1, 3}}},
        GripCase{"PointThreeAt50", 0.5, {600, 760}, {4, 0}, false, {MapHandle::Point, {1, 3}}},
        GripCase{"PointThreeAt400", 4, {600, 760}, {15, 6}, false, {MapHandle::Point, {1, 3}}},
        GripCase{"BesidePointThreeAt400", 4, {600, 760}, {18, 0}, false, kNoGrip},
        GripCase{
            "OtherSelected", 2, {700, 700}, {-9, 0}, false, {MapHandle::SelectedObject, {2, 1}}},
        GripCase{"CtrlOnOtherSelected", 1, {700, 700}, {}, true, kNoGrip},
        GripCase{"NotSelected", 1, {800, 700}, {}, false, kNoGrip}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MapHandleRulesTest, WithoutTheSelectedObjectsMarksNothingTakesHold) {
  const MarkList squares{{MarkKind::Square, {10, 10}, {}}, {MarkKind::PointDisc, {20, 20}, {}}};
  EXPECT_EQ(HandleAt(squares, ViewTransform(1), {10, 10}), MapHandle::None);
  EXPECT_EQ(HandleAt(squares, ViewTransform(1), {20, 20}), MapHandle::None);
}

}  // namespace
}  // namespace qarn
