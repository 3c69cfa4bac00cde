#include "map/reduced_map.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "map/view_transform.h"
#include "map_test_support.h"

namespace qarn {
namespace {

// Columns alternate black and white, rows alternate two more colours on top: every 2 x 2 block
// averages to the same grey-ish colour, and every sampled pixel is far from it.
QImage Stripes(int width, int height) {
  QImage picture(width, height, QImage::Format_Indexed8);
  picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 100, 200), qRgb(200, 0, 100)});
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, uint((x & 1) + 2 * (y & 1 & x)));
  }
  return picture;
}

int ChannelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

TEST(ReducedMapTest, AtHalfSizeEachViewPixelIsTheAverageOfItsTwoByTwoBlock) {
  const QImage picture = Stripes(64, 48);
  ReducedMap reduced;
  const QImage piece = reduced.Piece(picture, 0.5, QRect(0, 0, 32, 24));
  // Per block: black, white, black, the fourth colour at (1, 1).
  const QRgb average =
      qRgb((0 + 255 + 0 + 200 + 2) / 4, (0 + 255 + 0 + 0 + 2) / 4, (0 + 255 + 0 + 100 + 2) / 4);
  for (int y = 0; y < piece.height(); ++y) {
    for (int x = 0; x < piece.width(); ++x) {
      ASSERT_LE(ChannelDistance(piece.pixel(x, y), average), 1) << x << "," << y;
    }
  }
}

TEST(ReducedMapTest, APlainPictureStaysItsColourAtEveryLevel) {
  const QImage picture = test::PlainPicture(301, 207);
  ReducedMap reduced;
  for (double scale : {0.25, 0.33, 0.5, 0.67, 0.9}) {
    const QSize size = ViewTransform(scale).ViewSize(picture.size());
    const QImage piece = reduced.Piece(picture, scale, QRect(QPoint(), size));
    for (int y = 0; y < size.height(); y += 5) {
      for (int x = 0; x < size.width(); x += 5) {
        ASSERT_EQ(piece.pixel(x, y), qRgb(250, 248, 240)) << scale << " at " << x << "," << y;
      }
    }
  }
}

// The view is painted in pieces at different times: they must meet without a seam.
TEST(ReducedMapTest, PiecesAgreeWithTheWholeViewAtEveryLevel) {
  const QImage picture = Stripes(517, 389);
  ReducedMap reduced;
  for (double scale : {0.25, 0.33, 0.5, 0.67}) {
    const QSize size = ViewTransform(scale).ViewSize(picture.size());
    const QImage whole = reduced.Piece(picture, scale, QRect(QPoint(), size));
    for (const QRect& part : {QRect(0, 0, 7, 9), QRect(31, 17, 40, 23),
                              QRect(size.width() - 5, size.height() - 3, 5, 3)}) {
      EXPECT_EQ(reduced.Piece(picture, scale, part), whole.copy(part)) << scale;
    }
  }
}

// Blocks of 9 x 7 pixels in 16 colours: what a map's parks and quarters look like to the filter.
QImage Blocks(int width, int height) {
  QImage picture(width, height, QImage::Format_Indexed8);
  QList<QRgb> colours;
  for (int i = 0; i < 16; ++i) colours << qRgb(i * 16, 255 - i * 12, (i * 80) % 256);
  picture.setColorTable(colours);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) picture.setPixel(x, y, uint((x / 9 * 5 + y / 7 * 3) % 16));
  }
  return picture;
}

TEST(ReducedMapTest, TheKeptCopiesAverageAsThePictureItselfWould) {
  const QImage picture = Blocks(400, 300);
  ReducedMap reduced;
  for (double scale : {0.25, 0.33, 0.5}) {
    const QRect area(QPoint(), ViewTransform(scale).ViewSize(picture.size()));
    const QImage viaCopies = reduced.Piece(picture, scale, area);
    const QImage direct = AveragedPiece(picture, 1.0, scale, area);
    double total = 0;
    for (int y = 0; y < area.height(); ++y) {
      for (int x = 0; x < area.width(); ++x) {
        total += ChannelDistance(viaCopies.pixel(x, y), direct.pixel(x, y));
      }
    }
    // Only the copies' own averaging at the blocks' edges, not another picture.
    EXPECT_LE(total / (area.width() * area.height()), 6) << scale;
  }
}

}  // namespace
}  // namespace qarn
