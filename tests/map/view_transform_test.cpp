#include "map/view_transform.h"

#include <gtest/gtest.h>

namespace qarn {
namespace {

struct PixelCase {
  double scale;
  QPoint view;
  QPoint map;
};

class ViewPixelTest : public ::testing::TestWithParam<PixelCase> {};

// A view pixel shows the map pixel under its centre.
TEST_P(ViewPixelTest, AViewPixelShowsTheMapPixelUnderItsCentre) {
  const PixelCase& c = GetParam();
  EXPECT_EQ(ViewTransform(c.scale).MapPixelAt(c.view), c.map);
}

INSTANTIATE_TEST_SUITE_P(
    Zoom, ViewPixelTest,
    ::testing::Values(PixelCase{1.0, {0, 0}, {0, 0}}, PixelCase{1.0, {1279, 1599}, {1279, 1599}},
                      PixelCase{1.0, {-3, 7}, {-3, 7}}, PixelCase{2.0, {0, 1}, {0, 0}},
                      PixelCase{2.0, {2, 3}, {1, 1}}, PixelCase{2.0, {-1, -2}, {-1, -1}},
                      PixelCase{8.0, {15, 16}, {1, 2}}, PixelCase{1.5, {1, 2}, {1, 1}},
                      PixelCase{0.5, {0, 1}, {1, 3}}, PixelCase{0.25, {10, 0}, {42, 2}},
                      PixelCase{0.33, {421, 527}, {1277, 1598}}));

TEST(ViewTransformTest, EveryMapPixelsCentreLiesOnAViewPixelShowingIt) {
  for (double scale : {1.0, 1.5, 2.0, 3.0, 6.0, 8.0}) {
    const ViewTransform view(scale);
    for (int c : {0, 1, 17, 640, 1279}) {
      EXPECT_EQ(view.MapPixelAt(view.ViewPixelOf({c, c})), QPoint(c, c)) << scale << " " << c;
      EXPECT_TRUE(view.ViewRectOf(QRect(c, c, 1, 1)).contains(view.ViewPixelOf({c, c})));
    }
  }
}

TEST(ViewTransformTest, TheViewHoldsExactlyThePixelsThatShowTheMap) {
  const QSize map(1280, 1600);
  for (int level : ViewTransform::kLevels) {
    const ViewTransform view(level / 100.0);
    const QSize size = view.ViewSize(map);
    const QPoint last = view.MapPixelAt({size.width() - 1, size.height() - 1});
    EXPECT_LT(last.x(), 1280) << level;
    EXPECT_LT(last.y(), 1600) << level;
    const QPoint beyond = view.MapPixelAt({size.width(), size.height()});
    EXPECT_GE(beyond.x(), 1280) << level;
    EXPECT_GE(beyond.y(), 1600) << level;
  }
  EXPECT_EQ(ViewTransform(1).ViewSize(map), map);
  EXPECT_EQ(ViewTransform(0.25).ViewSize(map), QSize(320, 400));
  EXPECT_EQ(ViewTransform(8).ViewSize(map), QSize(10240, 12800));
}

struct StepCase {
  double from;
  int direction;
  double to;
};

class ZoomStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(ZoomStepTest, StepsGoToTheNextListedLevel) {
  const StepCase& c = GetParam();
  EXPECT_DOUBLE_EQ(ViewTransform(c.from).NextLevel(c.direction), c.to);
}

INSTANTIATE_TEST_SUITE_P(Levels, ZoomStepTest,
                         ::testing::Values(StepCase{1.0, +1, 1.5}, StepCase{1.0, -1, 0.67},
                                           StepCase{0.25, -1, 0.25}, StepCase{0.25, +1, 0.33},
                                           StepCase{8.0, +1, 8.0}, StepCase{6.0, +1, 8.0},
                                           StepCase{0.7, +1, 1.0}, StepCase{0.7, -1, 0.67},
                                           StepCase{0.3306, -1, 0.33},
                                           StepCase{0.3300001, -1, 0.25}));

TEST(ViewTransformTest, ScalesStayWithinTheLevelsRange) {
  EXPECT_EQ(ViewTransform(0.01).Scale(), 0.25);
  EXPECT_EQ(ViewTransform(100).Scale(), 8.0);
  EXPECT_EQ(ViewTransform(std::numeric_limits<double>::quiet_NaN()).Scale(), 1.0);
  EXPECT_DOUBLE_EQ(ViewTransform::FitScale({1280, 1600}, {423, 532}), 423.0 / 1280);
  EXPECT_DOUBLE_EQ(ViewTransform::FitScale({1280, 1600}, {631, 659}), 659.0 / 1600);
  EXPECT_EQ(ViewTransform::FitScale({1280, 1600}, {100, 100}), 0.25);
  EXPECT_EQ(ViewTransform::FitScale({1280, 1600}, {20000, 20000}), 8.0);
}

TEST(ViewTransformTest, FarAwayMapPixelsStayInTheIntegerRange) {
  const ViewTransform view(8);
  const QPoint far = view.ViewPixelOf({2000000000, -2000000000});
  EXPECT_GT(far.x(), 0);
  EXPECT_LT(far.y(), 0);
}

}  // namespace
}  // namespace qarn
