#include "map/indexed_canvas.h"

#include <algorithm>
#include <cstdlib>

namespace qarn {
namespace {

// A line's end points may lie anywhere in the 32-bit range, so the exact product of an offset
// and a slope numerator needs more than 64 bits.
__extension__ typedef __int128 Wide;

// Nearest integer to p / q for q > 0; an exact half goes towards zero, the start's side.
template <class Int>
int64_t RoundHalfTowardZero(Int p, int64_t q) {
  const Int magnitude = p < 0 ? -p : p;
  const Int rounded = (2 * magnitude + q - 1) / (2 * static_cast<Int>(q));
  return static_cast<int64_t>(p < 0 ? -rounded : rounded);
}

// The offset on the minor axis `step` pixels along a line of slope `minor` / `major` (major > 0,
// |minor| <= major). The usual line, a mark a few pixels long, needs no 128-bit division, which
// costs more than the rest of drawing the pixel, and the crosses' diagonals need none at all.
int64_t MinorOffset(int64_t step, int64_t minor, int64_t major) {
  constexpr int64_t kNarrow = int64_t(1) << 30;
  if (minor == major) return step;
  if (minor == -major) return -step;
  if (major < kNarrow) return RoundHalfTowardZero<int64_t>(step * minor, major);
  return RoundHalfTowardZero<Wide>(static_cast<Wide>(step) * minor, major);
}

// The coordinates a line from `from` covering `delta` steps visits on its major axis, end
// excluded, as an inclusive range clipped to 0..size-1. Empty when first > last.
std::pair<int64_t, int64_t> MajorRange(int64_t from, int64_t delta, int size) {
  const int64_t first = delta > 0 ? from : from + delta + 1;
  const int64_t last = delta > 0 ? from + delta - 1 : from;
  return {std::max<int64_t>(first, 0), std::min<int64_t>(last, size - 1)};
}

// Whether pixel (i, j) lies inside the ellipse inscribed in the box: with the centre-relative
// offsets doubled (dx, dy) and the box w x h, the test is dx^2 (h^2 - 1) + dy^2 (w^2 - 1) <=
// (w^2 - 1)(h^2 - 1), the ellipse through the outer pixel centres widened by half a pixel.
bool InsideEllipse(int64_t i, int64_t j, int64_t l, int64_t t, int64_t r, int64_t b) {
  if (i < l || i >= r || j < t || j >= b) return false;
  const long double dx = 2 * i + 1 - (l + r);
  const long double dy = 2 * j + 1 - (t + b);
  const long double a = static_cast<long double>(r - l) * (r - l) - 1;
  const long double c = static_cast<long double>(b - t) * (b - t) - 1;
  return dx * dx * c + dy * dy * a <= a * c;
}

}  // namespace

template <class Pixel>
PixelCanvas<Pixel>::PixelCanvas(QImage& image)
    : bits_(reinterpret_cast<Pixel*>(image.bits())),
      stride_(image.bytesPerLine() / static_cast<qsizetype>(sizeof(Pixel))),
      width_(image.width()),
      height_(image.height()) {}

template <class Pixel>
void PixelCanvas<Pixel>::Plot(int x, int y, Pixel index) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  bits_[y * stride_ + x] = index;
}

template <class Pixel>
void PixelCanvas<Pixel>::Line(int x0, int y0, int x1, int y1, Pixel index) {
  const int64_t dx = static_cast<int64_t>(x1) - x0;
  const int64_t dy = static_cast<int64_t>(y1) - y0;
  if (dx == 0 && dy == 0) return;
  if (std::llabs(dx) >= std::llabs(dy)) {
    LineMajorX(x0, y0, dx, dy, index);
  } else {
    LineMajorY(x0, y0, dx, dy, index);
  }
}

template <class Pixel>
void PixelCanvas<Pixel>::Diagonals(int x, int y, int reach, Pixel index) {
  // Hundreds of crosses mark an object's points: inside the picture each pixel of a diagonal is
  // one step on, with nothing to clip.
  const int64_t l = int64_t(x) - reach;
  const int64_t t = int64_t(y) - reach;
  if (l < 0 || t < 0 || l + 2 * reach > width_ || t + 2 * reach >= height_) {
    Line(x - reach, y - reach, x + reach, y + reach, index);
    Line(x - reach, y + reach, x + reach, y - reach, index);
    return;
  }
  Pixel* down = bits_ + t * stride_ + l;
  Pixel* up = bits_ + (t + 2 * reach) * stride_ + l;
  for (int i = 0; i < 2 * reach; ++i, down += stride_ + 1, up -= stride_ - 1) *down = *up = index;
}

template <class Pixel>
void PixelCanvas<Pixel>::LineMajorX(int64_t x0, int64_t y0, int64_t dx, int64_t dy, Pixel index) {
  const auto [first, last] = MajorRange(x0, dx, width_);
  const int64_t sign = dx > 0 ? 1 : -1;
  for (int64_t x = first; x <= last; ++x) {
    const int64_t y = y0 + MinorOffset(x - x0, dy * sign, dx * sign);
    if (y >= 0 && y < height_) bits_[y * stride_ + x] = index;
  }
}

template <class Pixel>
void PixelCanvas<Pixel>::LineMajorY(int64_t x0, int64_t y0, int64_t dx, int64_t dy, Pixel index) {
  const auto [first, last] = MajorRange(y0, dy, height_);
  const int64_t sign = dy > 0 ? 1 : -1;
  for (int64_t y = first; y <= last; ++y) {
    const int64_t x = x0 + MinorOffset(y - y0, dx * sign, dy * sign);
    if (x >= 0 && x < width_) bits_[y * stride_ + x] = index;
  }
}

template <class Pixel>
void PixelCanvas<Pixel>::RectangleOutline(int l, int t, int r, int b, Pixel index) {
  if (r <= l || b <= t) return;
  if (l >= 0 && t >= 0 && r <= width_ && b <= height_) {  // the usual case: nothing to clip
    std::fill_n(bits_ + t * stride_ + l, r - l, index);
    std::fill_n(bits_ + (b - 1) * stride_ + l, r - l, index);
    for (int y = t + 1; y < b - 1; ++y) bits_[y * stride_ + l] = bits_[y * stride_ + r - 1] = index;
    return;
  }
  const int left = std::max(l, 0);
  const int right = std::min(r - 1, width_ - 1);
  const int top = std::max(t, 0);
  const int bottom = std::min(b - 1, height_ - 1);
  for (int x = left; x <= right; ++x) {
    Plot(x, t, index);
    Plot(x, b - 1, index);
  }
  for (int y = top; y <= bottom; ++y) {
    Plot(l, y, index);
    Plot(r - 1, y, index);
  }
}

template <class Pixel>
void PixelCanvas<Pixel>::Ellipse(int l, int t, int r, int b, Pixel outline, Pixel fill) {
  if (r <= l || b <= t) return;
  const int top = std::max(t, 0);
  const int bottom = std::min(b - 1, height_ - 1);
  const int left = std::max(l, 0);
  const int right = std::min(r - 1, width_ - 1);
  for (int64_t j = top; j <= bottom; ++j) {
    for (int64_t i = left; i <= right; ++i) {
      if (!InsideEllipse(i, j, l, t, r, b)) continue;
      const bool rim = !InsideEllipse(i - 1, j, l, t, r, b) ||
                       !InsideEllipse(i + 1, j, l, t, r, b) ||
                       !InsideEllipse(i, j - 1, l, t, r, b) || !InsideEllipse(i, j + 1, l, t, r, b);
      bits_[j * stride_ + i] = rim ? outline : fill;
    }
  }
}

template class PixelCanvas<uint8_t>;
template class PixelCanvas<QRgb>;

}  // namespace qarn
