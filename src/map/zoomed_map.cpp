#include "map/zoomed_map.h"

#include <algorithm>
#include <array>
#include <vector>

#include "map/map_marks.h"
#include "map/map_palette.h"
#include "map/map_picture.h"

namespace qarn {
namespace {

// The palette as 32-bit pixels, as Qt converts an indexed picture: opaque, missing entries black.
std::array<QRgb, 256> OpaqueColours(const QImage& picture) {
  std::array<QRgb, 256> colours;
  colours.fill(kMarkBlack);
  const QList<QRgb> table = picture.colorTable();
  for (qsizetype i = 0; i < std::min<qsizetype>(table.size(), 256); ++i) {
    colours[size_t(i)] = table[i] | kMarkBlack;
  }
  return colours;
}

// For each view coordinate from `first` on, the map coordinate it shows, kept on the picture.
std::vector<int> SourceIndex(const ViewTransform& view, int first, int count, bool columns,
                             int size) {
  std::vector<int> index(size_t(std::max(count, 0)));
  for (int i = 0; i < count; ++i) {
    const QPoint viewPixel = columns ? QPoint(first + i, 0) : QPoint(0, first + i);
    const QPoint map = view.MapPixelAt(viewPixel);
    index[size_t(i)] = std::clamp(columns ? map.x() : map.y(), 0, size - 1);
  }
  return index;
}

}  // namespace

QImage BlockScaledPiece(const QImage& picture, const ViewTransform& view, QRect area) {
  QImage piece(area.size(), QImage::Format_RGB32);
  if (area.isEmpty() || picture.isNull()) return piece;
  const std::array<QRgb, 256> colours = OpaqueColours(picture);
  const std::vector<int> column =
      SourceIndex(view, area.left(), area.width(), true, picture.width());
  const std::vector<int> row =
      SourceIndex(view, area.top(), area.height(), false, picture.height());
  const uchar* bits = picture.constBits();
  uchar* pieceBits = piece.bits();
  for (int y = 0; y < area.height(); ++y) {
    const uchar* from = bits + row[size_t(y)] * picture.bytesPerLine();
    auto* to = reinterpret_cast<QRgb*>(pieceBits + y * piece.bytesPerLine());
    for (int x = 0; x < area.width(); ++x) to[x] = colours[from[column[size_t(x)]]];
  }
  return piece;
}

QImage ZoomedMap::Piece(const MapPicture& map, const ViewTransform& view, QRect area) {
  if (view.Scale() >= 1.0) return BlockScaledPiece(map.Image(), view, area);
  QImage piece = Smoothed(map.Pristine(), view).copy(area);
  MarkList marks = map.Marks();
  for (Mark& mark : marks) {
    mark.at = view.ViewPixelOf(mark.at) - area.topLeft();
    mark.towards = view.ViewPixelOf(mark.towards) - area.topLeft();
  }
  ColourCanvas canvas(piece);
  DrawMarks(canvas, piece.size(), marks, kMarkBlack, kMarkRed);
  return piece;
}

QImage ZoomedMap::Smoothed(const QImage& pristine, const ViewTransform& view) {
  if (smoothedScale_ != view.Scale() || smoothedFrom_ != pristine.cacheKey()) {
    smoothed_ = pristine.convertToFormat(QImage::Format_RGB32)
                    .scaled(view.ViewSize(pristine.size()), Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation);
    smoothedScale_ = view.Scale();
    smoothedFrom_ = pristine.cacheKey();
  }
  return smoothed_;
}

}  // namespace qarn
