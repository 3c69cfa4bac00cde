#include "map/scaled_map.h"

#include <algorithm>
#include <cmath>

#include "map/map_palette.h"
#include "map/map_picture.h"

namespace qarn {

void DrawMarksOver(QImage& picture, MarkList marks, const std::function<QPoint(QPoint)>& place) {
  for (Mark& mark : marks) {
    mark.at = place(mark.at);
    mark.towards = place(mark.towards);
  }
  ColourCanvas canvas(picture);
  DrawMarks(canvas, picture.size(), marks, kMarkBlack, kMarkRed);
}

QImage ScaledMap(const MapPicture& picture, int longestSide) {
  const QImage& pristine = picture.Pristine();
  const int longest = std::max(pristine.width(), pristine.height());
  if (longestSide >= longest) return picture.Image();
  const double scale = double(std::max(longestSide, 1)) / longest;
  const auto side = [scale](int length) { return std::max(1, int(std::lround(length * scale))); };
  QImage scaled = pristine.convertToFormat(QImage::Format_RGB32)
                      .scaled(side(pristine.width()), side(pristine.height()),
                              Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // A mark goes to the pixel under the centre of its map pixel, as in the zoomed-out view.
  DrawMarksOver(scaled, picture.Marks(), [scale](QPoint p) {
    return QPoint(int(std::floor((p.x() + 0.5) * scale)), int(std::floor((p.y() + 0.5) * scale)));
  });
  return scaled;
}

}  // namespace qarn
