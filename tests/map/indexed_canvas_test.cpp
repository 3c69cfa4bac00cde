#include "map/indexed_canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "map_test_support.h"

namespace qarn {
namespace {

using test::kBlackIndex;
using test::kPaper;
using test::kRedIndex;

class IndexedCanvasTest : public ::testing::Test {
 protected:
  QImage picture_ = test::PlainPicture(32, 24);

  // The picture's pixels in the box as text: '.' paper, 'B' black, 'R' red.
  std::vector<std::string> Rows(int left, int top, int width, int height) const {
    std::vector<std::string> rows;
    for (int y = top; y < top + height; ++y) {
      std::string row;
      for (int x = left; x < left + width; ++x) row += ".BR"[picture_.pixelIndex(x, y)];
      rows.push_back(row);
    }
    return rows;
  }
  int Count(uint8_t index) const {
    int count = 0;
    for (int y = 0; y < picture_.height(); ++y) {
      for (int x = 0; x < picture_.width(); ++x) count += picture_.pixelIndex(x, y) == index;
    }
    return count;
  }
};

TEST_F(IndexedCanvasTest, LinesLeaveOutTheirEndPoint) {
  IndexedCanvas(picture_).Line(2, 5, 6, 5, kBlackIndex);
  EXPECT_EQ(Rows(0, 5, 8, 1), std::vector<std::string>{"..BBBB.."});
  IndexedCanvas(picture_).Line(10, 2, 10, 0, kBlackIndex);
  EXPECT_EQ(Rows(10, 0, 1, 3), (std::vector<std::string>{".", "B", "B"}));
}

TEST_F(IndexedCanvasTest, ALineOfNoLengthPaintsNothing) {
  IndexedCanvas(picture_).Line(4, 4, 4, 4, kBlackIndex);
  EXPECT_EQ(Count(kBlackIndex), 0);
}

TEST_F(IndexedCanvasTest, DiagonalsStepOnePixelEachWay) {
  IndexedCanvas canvas(picture_);
  canvas.Line(0, 0, 8, 8, kBlackIndex);
  canvas.Line(0, 8, 8, 0, kRedIndex);
  EXPECT_EQ(Rows(0, 0, 9, 9), (std::vector<std::string>{
                                  "B........",
                                  ".B.....R.",
                                  "..B...R..",
                                  "...B.R...",
                                  "....R....",  // the second line paints over the crossing
                                  "...R.B...",
                                  "..R...B..",
                                  ".R.....B.",
                                  "R........",
                              }));
}

// Each pixel is the nearest to the exact line; exact halves keep the start's side, so a line and
// its reverse may differ in those pixels.
TEST_F(IndexedCanvasTest, ShallowLinesRoundToTheNearestRow) {
  IndexedCanvas(picture_).Line(0, 0, 8, 3, kBlackIndex);
  EXPECT_EQ(Rows(0, 0, 9, 4), (std::vector<std::string>{
                                  "BB.......",
                                  "..BBB....",
                                  ".....BB..",
                                  ".......B.",
                              }));
}

TEST_F(IndexedCanvasTest, ReversedLinesKeepTheirOwnStartSide) {
  IndexedCanvas(picture_).Line(8, 3, 0, 0, kBlackIndex);
  EXPECT_EQ(Rows(0, 0, 9, 4), (std::vector<std::string>{
                                  ".B.......",
                                  "..BB.....",
                                  "....BBB..",
                                  ".......BB",
                              }));
}

TEST_F(IndexedCanvasTest, SteepLinesRoundToTheNearestColumn) {
  IndexedCanvas(picture_).Line(1, 0, 3, 5, kBlackIndex);
  EXPECT_EQ(Rows(0, 0, 4, 6), (std::vector<std::string>{
                                  ".B..",
                                  ".B..",
                                  "..B.",
                                  "..B.",
                                  "...B",
                                  "....",
                              }));
}

TEST_F(IndexedCanvasTest, LinesAreClippedWithoutWalkingTheirWholeLength) {
  IndexedCanvas canvas(picture_);
  canvas.Line(INT_MIN, 3, INT_MAX, 3, kBlackIndex);
  EXPECT_EQ(Rows(0, 3, 32, 1), std::vector<std::string>{std::string(32, 'B')});
  canvas.Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX, kRedIndex);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(picture_.pixelIndex(i, i), kRedIndex) << i;
  EXPECT_EQ(Count(kRedIndex), 24);
}

TEST_F(IndexedCanvasTest, RectanglesCoverTheirLeftAndTopEdgesOnly) {
  IndexedCanvas(picture_).RectangleOutline(1, 1, 6, 6, kBlackIndex);
  EXPECT_EQ(Rows(0, 0, 7, 7), (std::vector<std::string>{
                                  ".......",
                                  ".BBBBB.",
                                  ".B...B.",
                                  ".B...B.",
                                  ".B...B.",
                                  ".BBBBB.",
                                  ".......",
                              }));
}

TEST_F(IndexedCanvasTest, EmptyRectanglesPaintNothing) {
  IndexedCanvas canvas(picture_);
  canvas.RectangleOutline(5, 5, 5, 9, kBlackIndex);
  canvas.RectangleOutline(5, 5, 2, 9, kBlackIndex);
  EXPECT_EQ(Count(kBlackIndex), 0);
}

TEST_F(IndexedCanvasTest, RectanglesAreClippedAtThePictureEdges) {
  IndexedCanvas(picture_).RectangleOutline(-2, -2, 3, 3, kBlackIndex);
  EXPECT_EQ(Rows(0, 0, 4, 4), (std::vector<std::string>{
                                  "..B.",
                                  "..B.",
                                  "BBB.",
                                  "....",
                              }));
  IndexedCanvas(picture_).RectangleOutline(30, 22, 35, 27, kRedIndex);
  EXPECT_EQ(Rows(28, 20, 4, 4), (std::vector<std::string>{
                                    "....",
                                    "....",
                                    "..RR",
                                    "..R.",
                                }));
}

// The disc of a point: 8 x 8 pixels, rows of 4, 6, 8, 8, 8, 8, 6 and 4, one-pixel rim.
TEST_F(IndexedCanvasTest, AnEightPixelEllipseIsARoundDiscWithAThinRim) {
  IndexedCanvas(picture_).Ellipse(2, 3, 10, 11, kBlackIndex, kRedIndex);
  EXPECT_EQ(Rows(1, 2, 10, 10), (std::vector<std::string>{
                                    "..........",
                                    "...BBBB...",
                                    "..BRRRRB..",
                                    ".BRRRRRRB.",
                                    ".BRRRRRRB.",
                                    ".BRRRRRRB.",
                                    ".BRRRRRRB.",
                                    "..BRRRRB..",
                                    "...BBBB...",
                                    "..........",
                                }));
}

TEST_F(IndexedCanvasTest, EllipsesAreSymmetricInTheirBox) {
  IndexedCanvas(picture_).Ellipse(0, 0, 12, 7, kBlackIndex, kRedIndex);
  const std::vector<std::string> rows = Rows(0, 0, 12, 7);
  for (size_t y = 0; y < rows.size(); ++y) {
    EXPECT_EQ(rows[y], std::string(rows[y].rbegin(), rows[y].rend()));
    EXPECT_EQ(rows[y], rows[rows.size() - 1 - y]);
    EXPECT_NE(rows[y], std::string(12, '.'));
  }
  EXPECT_EQ(rows[3].front(), 'B');
  EXPECT_EQ(rows[3][1], 'R');
}

TEST_F(IndexedCanvasTest, EllipsesAreClippedAtThePictureEdges) {
  IndexedCanvas(picture_).Ellipse(-4, -4, 4, 4, kBlackIndex, kRedIndex);
  EXPECT_EQ(Rows(0, 0, 5, 5), (std::vector<std::string>{
                                  "RRRB.",
                                  "RRRB.",
                                  "RRB..",
                                  "BB...",
                                  ".....",
                              }));
}

TEST_F(IndexedCanvasTest, PlotsOutsideThePictureAreIgnored) {
  IndexedCanvas canvas(picture_);
  canvas.Plot(-1, 0, kBlackIndex);
  canvas.Plot(32, 0, kBlackIndex);
  canvas.Plot(0, 24, kBlackIndex);
  canvas.Plot(31, 23, kBlackIndex);
  EXPECT_EQ(Count(kBlackIndex), 1);
  EXPECT_EQ(picture_.pixelIndex(31, 23), kBlackIndex);
}

// A cross's two diagonals drawn at once are the two lines drawn from its left corners, inside
// the picture and across each of its edges.
class DiagonalsTest : public ::testing::TestWithParam<QPoint> {};

TEST_P(DiagonalsTest, AreTheTwoLinesFromTheLeftCorners) {
  const QPoint c = GetParam();
  QImage byLines = test::PlainPicture(32, 24);
  IndexedCanvas lines(byLines);
  lines.Line(c.x() - 4, c.y() - 4, c.x() + 4, c.y() + 4, kBlackIndex);
  lines.Line(c.x() - 4, c.y() + 4, c.x() + 4, c.y() - 4, kBlackIndex);
  QImage byDiagonals = test::PlainPicture(32, 24);
  IndexedCanvas(byDiagonals).Diagonals(c.x(), c.y(), 4, kBlackIndex);
  EXPECT_EQ(byDiagonals, byLines);
}

INSTANTIATE_TEST_SUITE_P(Centres, DiagonalsTest,
                         ::testing::Values(QPoint(8, 8), QPoint(4, 4), QPoint(28, 19),
                                           QPoint(28, 20), QPoint(3, 10), QPoint(29, 10),
                                           QPoint(10, 2), QPoint(10, 22), QPoint(-3, -3),
                                           QPoint(1000, 5)));

}  // namespace
}  // namespace qarn
