#include "map/reduced_map.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "map/view_transform.h"

namespace qarn {
namespace {

constexpr int kUnit = 256;  // the weights of one view pixel's taps along an axis add up to this

// Along one axis, the source pixels each view coordinate covers and how much of each.
struct Taps {
  int stride = 1;
  std::vector<int> index;  // stride entries per view coordinate, inside the source
  std::vector<uint32_t> weight;
};

// The weights of the source pixels from `first` on under [lo, hi), adding up to kUnit.
void Weigh(double lo, double hi, int first, int size, Taps& taps) {
  const size_t at = taps.index.size();
  int total = 0;
  size_t heaviest = at;
  for (int j = 0; j < taps.stride; ++j) {
    const int i = first + j;
    const double overlap = std::max(0.0, std::min(hi, i + 1.0) - std::max(lo, double(i)));
    const auto w = static_cast<uint32_t>(std::lround(overlap / (hi - lo) * kUnit));
    taps.index.push_back(std::clamp(i, 0, size - 1));
    taps.weight.push_back(w);
    total += int(w);
    if (w > taps.weight[heaviest]) heaviest = at + size_t(j);
  }
  taps.weight[heaviest] += uint32_t(kUnit - total);  // what rounding lost or added
}

// For `count` view coordinates from `first` on, each `ratio` source pixels wide.
Taps MakeTaps(int first, int count, double ratio, int size) {
  Taps taps;
  taps.stride = int(std::ceil(ratio)) + 1;
  taps.index.reserve(size_t(count * taps.stride));
  taps.weight.reserve(taps.index.capacity());
  for (int v = first; v < first + count; ++v) {
    double lo = std::clamp(v * ratio, 0.0, double(size));
    double hi = std::clamp((v + 1) * ratio, 0.0, double(size));
    if (hi - lo < 1e-9) {  // past the edge: the nearest pixel
      lo = std::min(lo, size - 1.0);
      hi = lo + 1;
    }
    Weigh(lo, hi, int(std::floor(lo)), size, taps);
  }
  return taps;
}

struct PaletteSource {
  std::array<QRgb, 256> colours{};
  explicit PaletteSource(const QImage& picture) {
    const QList<QRgb> table = picture.colorTable();
    for (qsizetype i = 0; i < std::min<qsizetype>(table.size(), 256); ++i) {
      colours[size_t(i)] = table[i];
    }
  }
  QRgb operator()(const uchar* line, int x) const { return colours[line[x]]; }
};

struct ColourSource {
  QRgb operator()(const uchar* line, int x) const { return reinterpret_cast<const QRgb*>(line)[x]; }
};

template <class Fetch>
QRgb Average(const QImage& source, const Taps& columns, const Taps& rows, size_t column, size_t row,
             const Fetch& fetch) {
  uint32_t red = 0, green = 0, blue = 0;
  for (int ty = 0; ty < rows.stride; ++ty) {
    const uint32_t wy = rows.weight[row + size_t(ty)];
    if (wy == 0) continue;
    const uchar* line = source.constScanLine(rows.index[row + size_t(ty)]);
    for (int tx = 0; tx < columns.stride; ++tx) {
      const uint32_t w = wy * columns.weight[column + size_t(tx)];
      const QRgb c = fetch(line, columns.index[column + size_t(tx)]);
      red += w * uint32_t(qRed(c));
      green += w * uint32_t(qGreen(c));
      blue += w * uint32_t(qBlue(c));
    }
  }
  constexpr uint32_t kHalf = kUnit * kUnit / 2;
  return qRgb(int((red + kHalf) >> 16), int((green + kHalf) >> 16), int((blue + kHalf) >> 16));
}

template <class Fetch>
void Fill(QImage& piece, const QImage& source, const Taps& columns, const Taps& rows,
          const Fetch& fetch) {
  for (int y = 0; y < piece.height(); ++y) {
    auto* to = reinterpret_cast<QRgb*>(piece.scanLine(y));
    const size_t row = size_t(y * rows.stride);
    for (int x = 0; x < piece.width(); ++x) {
      to[x] = Average(source, columns, rows, size_t(x * columns.stride), row, fetch);
    }
  }
}

qint64 LevelBytes(QSize size, int halvings) {
  const QSize level = ViewTransform(std::ldexp(1.0, -halvings)).ViewSize(size);
  return qint64(level.width()) * level.height() * 4;
}

}  // namespace

QImage AveragedPiece(const QImage& source, double sourceScale, double scale, QRect area) {
  QImage piece(area.size(), QImage::Format_RGB32);
  if (area.isEmpty() || source.isNull()) return piece;
  const double ratio = sourceScale / scale;
  const Taps columns = MakeTaps(area.left(), area.width(), ratio, source.width());
  const Taps rows = MakeTaps(area.top(), area.height(), ratio, source.height());
  if (source.format() == QImage::Format_Indexed8) {
    Fill(piece, source, columns, rows, PaletteSource(source));
  } else {
    Fill(piece, source, columns, rows, ColourSource());
  }
  return piece;
}

qint64 ReducedMap::Allowance(QSize size) {
  return qint64(size.width()) * size.height() / 5 + (qint64(8) << 20);
}

void ReducedMap::Follow(const QImage& pristine) {
  if (from_ == pristine.cacheKey() && size_ == pristine.size()) return;
  levels_.fill(QImage());
  wholes_.clear();
  from_ = pristine.cacheKey();
  size_ = pristine.size();
}

const QImage& ReducedMap::Source(const QImage& pristine, int halvings, int smallestKept) {
  if (halvings == 0 || !levels_[size_t(halvings)].isNull()) {
    return halvings == 0 ? pristine : levels_[size_t(halvings)];
  }
  const int from = halvings - 1 >= smallestKept ? halvings - 1 : 0;
  const QImage& larger = Source(pristine, from, smallestKept);
  const double scale = std::ldexp(1.0, -halvings);
  const QSize size = ViewTransform(scale).ViewSize(pristine.size());
  levels_[size_t(halvings)] =
      AveragedPiece(larger, std::ldexp(1.0, -from), scale, QRect(QPoint(), size));
  return levels_[size_t(halvings)];
}

std::pair<int, qint64> ReducedMap::Kept() const {
  qint64 bytes = 0;
  int smallestKept = kHalvings + 1;
  for (int h = kHalvings; h >= 1; --h) {
    if (bytes + LevelBytes(size_, h) > Allowance(size_)) break;
    bytes += LevelBytes(size_, h);
    smallestKept = h;
  }
  return {smallestKept, bytes};
}

const QImage* ReducedMap::Whole(const QImage& source, double sourceScale, double scale,
                                qint64 bytes) {
  for (const auto& [level, image] : wholes_) {
    if (level == scale) return &image;
    bytes += image.sizeInBytes();
  }
  const QSize size = ViewTransform(scale).ViewSize(size_);
  if (bytes + qint64(size.width()) * size.height() * 4 > Allowance(size_)) return nullptr;
  wholes_.emplace_back(scale, AveragedPiece(source, sourceScale, scale, QRect(QPoint(), size)));
  return &wholes_.back().second;
}

QImage ReducedMap::Piece(const QImage& pristine, double scale, QRect area) {
  Follow(pristine);
  const auto [smallestKept, keptBytes] = Kept();
  int halvings = 0;
  for (int h = smallestKept; h <= kHalvings && std::ldexp(1.0, -h) >= scale; ++h) halvings = h;
  const double sourceScale = std::ldexp(1.0, -halvings);
  const QImage& source = Source(pristine, halvings, smallestKept);
  if (sourceScale == scale) return source.copy(area);  // the kept copy is the view itself
  if (const QImage* whole = Whole(source, sourceScale, scale, keptBytes)) return whole->copy(area);
  return AveragedPiece(source, sourceScale, scale, area);
}

}  // namespace qarn
