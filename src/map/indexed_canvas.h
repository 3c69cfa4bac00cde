#pragma once

#include <QImage>
#include <cstdint>

namespace qarn {

// Pixel-exact drawing on an 8-bit palettised picture, with the conventions the marks are defined
// in: a line leaves out its end point; a rectangle or ellipse given by corners (l, t) and (r, b)
// covers columns l to r - 1 and rows t to b - 1. Everything is clipped to the picture silently,
// and the work done is bounded by the picture's size, not by how far outside a shape lies.
class IndexedCanvas {
 public:
  // `image` must be Format_Indexed8 and outlive the canvas; it is detached once here.
  explicit IndexedCanvas(QImage& image);

  void Plot(int x, int y, uint8_t index);
  // Bresenham from (x0, y0) towards (x1, y1), end point excluded. Where the line passes exactly
  // half-way between two pixels, it keeps the start's side.
  void Line(int x0, int y0, int x1, int y1, uint8_t index);
  // One-pixel outline of columns l..r-1 by rows t..b-1; nothing when the box is empty.
  void RectangleOutline(int l, int t, int r, int b, uint8_t index);
  // The ellipse inscribed in columns l..r-1 by rows t..b-1: its rim pixels in `outline`, the
  // pixels inside the rim in `fill`. An 8 x 8 box gives a disc with rows of 4, 6, 8, 8, 8, 8, 6
  // and 4 pixels whose rim is one pixel wide.
  void Ellipse(int l, int t, int r, int b, uint8_t outline, uint8_t fill);

 private:
  void LineMajorX(int64_t x0, int64_t y0, int64_t dx, int64_t dy, uint8_t index);
  void LineMajorY(int64_t x0, int64_t y0, int64_t dx, int64_t dy, uint8_t index);

  uint8_t* bits_;
  qsizetype stride_;
  int width_;
  int height_;
};

}  // namespace qarn
