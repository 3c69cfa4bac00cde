#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <array>
#include <vector>

#include "map/reduced_map.h"
#include "map/view_transform.h"

namespace qarn {

class MapPicture;

// The 32-bit pixel of each palette index.
using Colours = std::array<QRgb, 256>;

// The map as the view shows it. From 100 % up every map pixel is a crisp block of view pixels,
// the marks included; below 100 % the pristine picture is smoothed and the marks are drawn over
// it at their own size in view pixels, so none fades away or vanishes.
class ZoomedMap {
 public:
  // The view pixels of `area` (view coordinates, inside the view's size) as 32-bit pixels; the
  // bare map without `marks` (for a screen that draws them in its own pixels).
  QImage Piece(const MapPicture& map, const ViewTransform& view, QRect area, bool marks = true);

 private:
  // The picture's palette as 32-bit pixels, worked out again only when the palette changes.
  const Colours& ColoursOf(const QImage& picture);
  void MakeSourceLines(const QImage& picture, const ViewTransform& view);

  ReducedMap reduced_;
  // The map column of each view column and the map row of each view row (-1 until a piece first
  // shows it), kept for the zoom level: a view transform per line of every piece costs more than
  // the piece's pixels.
  std::vector<int> sourceColumns_;
  std::vector<int> sourceRows_;
  double sourceScale_ = 0;
  QSize sourceSize_;
  QList<QRgb> colourTable_;
  Colours colours_{};
  bool coloursKnown_ = false;
};

// The view pixels of `area` at a scale of 1 or more, each the colour of the map pixel it shows.
QImage BlockScaledPiece(const QImage& picture, const ViewTransform& view, QRect area);

}  // namespace qarn
