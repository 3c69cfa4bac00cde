#include "map/zoomed_map.h"

#include <algorithm>
#include <array>
#include <vector>

#include "map/map_marks.h"
#include "map/map_palette.h"
#include "map/map_picture.h"
#include "map/scaled_map.h"

namespace qarn {
namespace {

// The palette as 32-bit pixels, as Qt converts an indexed picture: opaque, missing entries black.
Colours OpaqueColours(const QImage& picture) {
  Colours colours;
  colours.fill(kMarkBlack);
  const QList<QRgb> table = picture.colorTable();
  for (qsizetype i = 0; i < std::min<qsizetype>(table.size(), 256); ++i) {
    colours[size_t(i)] = table[i] | kMarkBlack;
  }
  return colours;
}

// The map column (or row) a view column (row) shows, kept on the picture.
int SourceLine(const ViewTransform& view, int line, bool columns, int size) {
  const QPoint map = view.MapPixelAt(columns ? QPoint(line, 0) : QPoint(0, line));
  return std::clamp(columns ? map.x() : map.y(), 0, size - 1);
}

// For each view coordinate from `first` on, the map coordinate it shows, kept on the picture.
std::vector<int> SourceIndex(const ViewTransform& view, int first, int count, bool columns,
                             int size) {
  std::vector<int> index(size_t(std::max(count, 0)));
  for (int i = 0; i < count; ++i) index[size_t(i)] = SourceLine(view, first + i, columns, size);
  return index;
}

// The entries of `lines` (-1 where not yet known) from `first` on, the missing ones worked out.
const int* KnownLines(std::vector<int>& lines, int first, int count, const ViewTransform& view,
                      bool columns, int size) {
  for (int i = first; i < first + count; ++i) {
    if (lines[size_t(i)] < 0) lines[size_t(i)] = SourceLine(view, i, columns, size);
  }
  return lines.data() + first;
}

// The view pixels of an area from the map column and row of each of its view columns and rows.
QImage PieceFromLines(const QImage& picture, const Colours& colours, const int* sourceColumns,
                      const int* sourceRows, QSize area) {
  QImage piece(area, QImage::Format_RGB32);
  if (area.isEmpty() || picture.isNull()) return piece;
  const uchar* bits = picture.constBits();
  uchar* pieceBits = piece.bits();
  for (int y = 0; y < area.height(); ++y) {
    const uchar* from = bits + sourceRows[y] * picture.bytesPerLine();
    auto* to = reinterpret_cast<QRgb*>(pieceBits + y * piece.bytesPerLine());
    for (int x = 0; x < area.width(); ++x) to[x] = colours[from[sourceColumns[x]]];
  }
  return piece;
}

// The view pixels of an area at 100 %: each one the colour of the map pixel under it.
QImage PieceAsIs(const QImage& picture, const Colours& colours, QRect area) {
  QImage piece(area.size(), QImage::Format_RGB32);
  const qsizetype fromStride = picture.bytesPerLine();
  const qsizetype toStride = piece.bytesPerLine();
  const uchar* from = picture.constBits() + area.top() * fromStride + area.left();
  uchar* to = piece.bits();
  const int width = area.width();
  for (int y = 0; y < area.height(); ++y, from += fromStride, to += toStride) {
    auto* row = reinterpret_cast<QRgb*>(to);
    // Four at a time: a click exposes strips a dozen pixels wide, too narrow for the compiler's
    // vector loop, and a pixel at a time spends most of the row on the loop itself.
    int x = 0;
    for (; x + 4 <= width; x += 4) {
      row[x] = colours[from[x]];
      row[x + 1] = colours[from[x + 1]];
      row[x + 2] = colours[from[x + 2]];
      row[x + 3] = colours[from[x + 3]];
    }
    for (; x < width; ++x) row[x] = colours[from[x]];
  }
  return piece;
}

}  // namespace

QImage BlockScaledPiece(const QImage& picture, const ViewTransform& view, QRect area) {
  if (area.isEmpty() || picture.isNull()) return QImage(area.size(), QImage::Format_RGB32);
  const std::vector<int> column =
      SourceIndex(view, area.left(), area.width(), true, picture.width());
  const std::vector<int> row =
      SourceIndex(view, area.top(), area.height(), false, picture.height());
  return PieceFromLines(picture, OpaqueColours(picture), column.data(), row.data(), area.size());
}

QImage ZoomedMap::Piece(const MapPicture& map, const ViewTransform& view, QRect area, bool marks) {
  if (view.Scale() >= 1.0) {
    const QImage& picture = marks ? map.Image() : map.Pristine();
    if (view.Scale() == 1.0 && picture.rect().contains(area) && !area.isEmpty()) {
      return PieceAsIs(picture, ColoursOf(picture), area);
    }
    MakeSourceLines(picture, view);
    const QRect whole(0, 0, int(sourceColumns_.size()), int(sourceRows_.size()));
    if (!whole.contains(area)) return BlockScaledPiece(picture, view, area);
    const int* columns =
        KnownLines(sourceColumns_, area.left(), area.width(), view, true, picture.width());
    const int* rows =
        KnownLines(sourceRows_, area.top(), area.height(), view, false, picture.height());
    return PieceFromLines(picture, ColoursOf(picture), columns, rows, area.size());
  }
  QImage piece = reduced_.Piece(map.Pristine(), view.Scale(), area);
  if (!marks) return piece;
  DrawMarksOver(piece, map.Marks(), [&](QPoint p) { return view.ViewPixelOf(p) - area.topLeft(); });
  return piece;
}

const Colours& ZoomedMap::ColoursOf(const QImage& picture) {
  const QList<QRgb> table = picture.colorTable();
  if (!coloursKnown_ || table != colourTable_) {
    colours_ = OpaqueColours(picture);
    colourTable_ = table;
    coloursKnown_ = true;
  }
  return colours_;
}

void ZoomedMap::MakeSourceLines(const QImage& picture, const ViewTransform& view) {
  if (sourceScale_ == view.Scale() && sourceSize_ == picture.size()) return;
  const QSize viewSize = view.ViewSize(picture.size());
  sourceColumns_.assign(size_t(viewSize.width()), -1);
  sourceRows_.assign(size_t(viewSize.height()), -1);
  sourceScale_ = view.Scale();
  sourceSize_ = picture.size();
}

}  // namespace qarn
