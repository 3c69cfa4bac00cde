#pragma once

#include <QImage>
#include <cstdint>

namespace qarn {

// Pixel-exact drawing on a picture of 8-bit palette indices (the map) or of 32-bit colours (the
// zoomed-out view, whose marks are drawn at screen size), with the conventions the marks are
// defined in: a line leaves out its end point; a rectangle or ellipse given by corners (l, t) and
// (r, b) covers columns l to r - 1 and rows t to b - 1. Everything is clipped to the picture
// silently, and the work done is bounded by the picture's size, not by how far outside a shape
// lies.
template <class Pixel>
class PixelCanvas {
 public:
  // `image` must have pixels of the canvas's size (Format_Indexed8 for indices, Format_RGB32 or
  // ARGB32 for colours) and outlive the canvas; it is detached once here.
  explicit PixelCanvas(QImage& image);

  void Plot(int x, int y, Pixel index);
  // Bresenham from (x0, y0) towards (x1, y1), end point excluded. Where the line passes exactly
  // half-way between two pixels, it keeps the start's side.
  void Line(int x0, int y0, int x1, int y1, Pixel index);
  // The two diagonals of the square of side 2 * reach centred on (x, y), as Line draws them
  // from the corners on the left: an X.
  void Diagonals(int x, int y, int reach, Pixel index);
  // One-pixel outline of columns l..r-1 by rows t..b-1; nothing when the box is empty.
  void RectangleOutline(int l, int t, int r, int b, Pixel index);
  // The ellipse inscribed in columns l..r-1 by rows t..b-1: its rim pixels in `outline`, the
  // pixels inside the rim in `fill`. An 8 x 8 box gives a disc with rows of 4, 6, 8, 8, 8, 8, 6
  // and 4 pixels whose rim is one pixel wide.
  void Ellipse(int l, int t, int r, int b, Pixel outline, Pixel fill);

 private:
  void LineMajorX(int64_t x0, int64_t y0, int64_t dx, int64_t dy, Pixel index);
  void LineMajorY(int64_t x0, int64_t y0, int64_t dx, int64_t dy, Pixel index);

  Pixel* bits_;
  qsizetype stride_;  // in pixels
  int width_;
  int height_;
};

using IndexedCanvas = PixelCanvas<uint8_t>;
using ColourCanvas = PixelCanvas<QRgb>;
extern template class PixelCanvas<uint8_t>;
extern template class PixelCanvas<QRgb>;

}  // namespace qarn
