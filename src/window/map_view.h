#pragma once

#include <QScrollArea>

namespace qarn {

class MapCanvas;
class MapPicture;

// The map area (ScrollBox1): the map picture in a scrolled view that owns the zoom and the
// panning. Ctrl+wheel zooms about the pointer; the wheel scrolls, Shift+wheel sideways. The keys
// of the zoom are the View menu's.
class MapView : public QScrollArea {
  Q_OBJECT

 public:
  MapView(const MapPicture& map, QWidget* parent);

  MapCanvas* Canvas() const { return canvas_; }
  // The map shows another picture, perhaps of another size.
  void PictureChanged();
  double Scale() const;
  // Zooms keeping the map pixel under `anchor` (a viewport position) where it is.
  void SetScaleAbout(double scale, QPoint anchor);
  void SetScale(double scale);  // about the viewport's centre
  void ZoomIn();
  void ZoomOut();
  void Fit();
  void ScrollBy(QPoint delta);
  // Scrolls the map pixel to the middle of the view unless it is in view already.
  void Reveal(QPoint mapPixel);
  // The wheel turned over the map or beside it; `anchor` is the pointer in the viewport.
  void TurnWheel(QWheelEvent* event, QPoint anchor);

 signals:
  void ScaleChanged(double scale);

 protected:
  void wheelEvent(QWheelEvent* event) override;

 private:
  QPoint Scroll() const;
  void SetScroll(QPoint scroll);

  MapCanvas* canvas_;
  QSize mapSize_;
  int wheelZoomRest_ = 0;  // a part of a wheel notch not yet turned into a zoom step
};

}  // namespace qarn
