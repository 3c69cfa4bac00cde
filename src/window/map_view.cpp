#include "window/map_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace qarn {

MapView::MapView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Image1"));
  setCursor(Qt::CrossCursor);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapView::SetPicture(const QImage* picture) {
  picture_ = picture;
  if (picture_) setFixedSize(picture_->size());
  update();
}

void MapView::paintEvent(QPaintEvent* event) {
  if (!picture_) return;
  // Only the exposed part: the picture is 1280 x 1600, the viewport a fraction of it.
  QPainter painter(this);
  const QRect exposed = event->rect() & picture_->rect();
  // Converted first: Qt draws an indexed picture through its generic path, which costs several
  // times the conversion and the plain copy of 32-bit pixels together.
  painter.drawImage(exposed.topLeft(),
                    picture_->copy(exposed).convertToFormat(QImage::Format_RGB32));
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
  if (OnPointerMoved) OnPointerMoved(event->position().toPoint());
  QWidget::mouseMoveEvent(event);
}

void MapView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pixel = event->position().toPoint();
  // A release outside the picture (the pointer dragged off it) picks nothing.
  if (picture_ && picture_->rect().contains(pixel) && OnButtonReleased) OnButtonReleased(pixel);
  QWidget::mouseReleaseEvent(event);
}

void MapView::leaveEvent(QEvent* event) {
  if (OnPointerLeft) OnPointerLeft();
  QWidget::leaveEvent(event);
}

}  // namespace qarn
