#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <array>

namespace qarn {

// The view's zoom: how many screen pixels one map pixel takes. Kept apart from the world-to-map
// transform, it only maps between map pixels and view pixels (the picture's widget, before
// scrolling). A view pixel shows the map pixel under its centre, so at 100 % they are the same.
class ViewTransform {
 public:
  static constexpr std::array<int, 11> kLevels = {25,  33,  50,  67,  100, 150,
                                                  200, 300, 400, 600, 800};
  static constexpr double kSmallest = 0.25;
  static constexpr double kLargest = 8.0;

  // `scale` is clamped to the smallest and largest level.
  explicit ViewTransform(double scale = 1.0);

  double Scale() const { return scale_; }
  // The scale of the listed level after this one, towards larger (+1) or smaller (-1) pictures;
  // the scale itself at either end.
  double NextLevel(int direction) const;
  // The largest scale, within the levels' range, at which a map of `map` pixels fits `area`.
  static double FitScale(QSize map, QSize area);

  QSize ViewSize(QSize map) const;
  // The map pixel a view pixel shows.
  QPoint MapPixelAt(QPoint view) const;
  // A view position in map pixels with fractions: the view pixel's centre.
  QPointF MapPointAt(QPoint view) const;
  // The view pixel under the centre of a map pixel.
  QPoint ViewPixelOf(QPoint map) const;
  // The view pixels that show any part of the map rectangle.
  QRect ViewRectOf(QRect map) const;

 private:
  double scale_;
};

}  // namespace qarn
