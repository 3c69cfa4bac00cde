#pragma once

#include <QImage>
#include <QRect>
#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace qarn {

// The pristine picture for the views below 100 %: the picture at a half and a quarter of its
// size, each made once from the one before where that is kept, and each zoom level's whole view
// averaged once from the smallest of them still at least as large as the view, so a zoom step
// costs a copy of what is shown. A view pixel averages at most 3 x 3 pixels of its source.
// Copies and levels are kept only while together they stay within a fifth of the picture's
// bytes plus 8 MiB (all of them for the built-in map); beyond that the shown part is averaged
// on each paint, from the next larger copy (or the picture itself).
class ReducedMap {
 public:
  // The view pixels of `area` (view coordinates) at `scale` (below 1) of `pristine`
  // (Format_Indexed8), each the average of the map pixels it covers, as 32-bit pixels.
  QImage Piece(const QImage& pristine, double scale, QRect area);

  // The bytes the reduced copies and levels of a picture of `size` may take.
  static qint64 Allowance(QSize size);

 private:
  void Follow(const QImage& pristine);
  // The picture itself (0) or its kept copy at 2^-halvings, made when first asked for from the
  // next larger kept copy (those from `smallestKept` on are kept).
  const QImage& Source(const QImage& pristine, int halvings, int smallestKept);

  static constexpr int kHalvings = 2;  // the smallest view is a quarter of the map
  // The smallest copy kept and the bytes of all kept copies.
  std::pair<int, qint64> Kept() const;
  // The whole view at `scale`, made now if it fits the allowance with the `bytes` kept already;
  // null when it does not.
  const QImage* Whole(const QImage& source, double sourceScale, double scale, qint64 bytes);

  std::array<QImage, kHalvings + 1> levels_;       // [0] stays null: the pristine picture itself
  std::vector<std::pair<double, QImage>> wholes_;  // zoom levels made whole, by scale
  qint64 from_ = 0;
  QSize size_;
};

// The view pixels of `area` at `scale` of `source`, a picture that stands for the map at
// `sourceScale` (1 for the map itself), each the area-weighted average of the source pixels its
// footprint covers. `source` is Format_Indexed8 or Format_RGB32.
QImage AveragedPiece(const QImage& source, double sourceScale, double scale, QRect area);

}  // namespace qarn
