#include "window/map_view.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "map/map_picture.h"
#include "window/map_canvas.h"

namespace qarn {
namespace {

constexpr int kNotch = 120;  // wheel delta of one notch

}  // namespace

MapView::MapView(const MapPicture& map, QWidget* parent)
    : QScrollArea(parent), canvas_(new MapCanvas(map, *this)), mapSize_(map.Image().size()) {
  setObjectName(QStringLiteral("ScrollBox1"));
  setAccessibleName(QStringLiteral("Map"));
  setAlignment(Qt::AlignCenter);  // a zoomed-out map sits in the middle
  setWidget(canvas_);
}

void MapView::PictureChanged() {
  mapSize_ = canvas_->PictureSize();
  canvas_->SetView(canvas_->View());
}

double MapView::Scale() const {
  return canvas_->View().Scale();
}

QPoint MapView::Scroll() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void MapView::SetScroll(QPoint scroll) {
  horizontalScrollBar()->setValue(scroll.x());
  verticalScrollBar()->setValue(scroll.y());
}

void MapView::SetScaleAbout(double scale, QPoint anchor) {
  const ViewTransform next(scale);
  if (next.Scale() == Scale()) return;
  // The centre of the map pixel under the anchor goes back under the anchor.
  const QPoint pixel = canvas_->View().MapPixelAt(canvas_->mapFrom(viewport(), anchor));
  canvas_->SetView(next);
  const double x = (pixel.x() + 0.5) * next.Scale() - 0.5 - anchor.x();
  const double y = (pixel.y() + 0.5) * next.Scale() - 0.5 - anchor.y();
  SetScroll(QPoint(int(std::lround(x)), int(std::lround(y))));
  emit ScaleChanged(next.Scale());
}

void MapView::SetScale(double scale) {
  SetScaleAbout(scale, viewport()->rect().center());
}

void MapView::ZoomIn() {
  SetScale(canvas_->View().NextLevel(+1));
}

void MapView::ZoomOut() {
  SetScale(canvas_->View().NextLevel(-1));
}

void MapView::Fit() {
  SetScale(ViewTransform::FitScale(mapSize_, maximumViewportSize()));
}

void MapView::ScrollBy(QPoint delta) {
  SetScroll(Scroll() + delta);
}

void MapView::Reveal(QPoint mapPixel) {
  const QPoint at = canvas_->View().ViewPixelOf(mapPixel);
  const QRect shown(Scroll(), viewport()->size());
  if (shown.contains(at)) return;
  SetScroll(at - viewport()->rect().center());
}

void MapView::wheelEvent(QWheelEvent* event) {
  TurnWheel(event, event->position().toPoint());
}

void MapView::TurnWheel(QWheelEvent* event, QPoint anchor) {
  const QPoint delta = event->angleDelta();
  if (event->modifiers() & Qt::ControlModifier) {
    wheelZoomRest_ += delta.y() ? delta.y() : delta.x();
    const int steps = wheelZoomRest_ / kNotch;
    wheelZoomRest_ -= steps * kNotch;
    ViewTransform target = canvas_->View();
    for (int i = 0; i < std::abs(steps); ++i) target = ViewTransform(target.NextLevel(steps));
    SetScaleAbout(target.Scale(), anchor);
    event->accept();
    return;
  }
  // Shift turns the wheel sideways, unless the platform has done so already.
  const bool sideways = (event->modifiers() & Qt::ShiftModifier) && delta.x() == 0;
  const QPoint turned = sideways ? QPoint(delta.y(), 0) : delta;
  const int lines = QApplication::wheelScrollLines();
  ScrollBy(QPoint(-turned.x() * lines * horizontalScrollBar()->singleStep() / kNotch,
                  -turned.y() * lines * verticalScrollBar()->singleStep() / kNotch));
  event->accept();
}

}  // namespace qarn
