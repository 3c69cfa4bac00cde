#include "window/calibration_picture.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace qarn {

namespace {

constexpr int kArm = 6;  // of the cross that marks a chosen pixel

void DrawPointMark(QPainter& p, QPoint at, int number) {
  const QPointF centre = QPointF(at) + QPointF(0.5, 0.5);
  for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 3}, {QColor(Qt::red), 1}}) {
    p.setPen(QPen(colour, width));
    p.drawLine(centre - QPointF(kArm, 0), centre + QPointF(kArm, 0));
    p.drawLine(centre - QPointF(0, kArm), centre + QPointF(0, kArm));
  }
  p.drawText(centre + QPointF(kArm + 2, -kArm), QString::number(number));
}

}  // namespace

CalibrationPicture::CalibrationPicture(const QImage& picture, std::function<void(QPoint)> clicked,
                                       QWidget* parent)
    : QWidget(parent), picture_(picture), clicked_(std::move(clicked)) {
  setObjectName(QStringLiteral("CalibrationPicture"));
  setAccessibleName(tr("Map picture: click a pixel whose world position you know"));
  setCursor(Qt::CrossCursor);
  setFixedSize(picture_.size());
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CalibrationPicture::ShowPoint(int point, QPoint pixel) {
  points_.at(size_t(point)) = pixel;
  update();
}

void CalibrationPicture::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  // The exposed part only: the picture may be 8192 pixels on a side.
  for (const QRect& r : event->region()) p.drawImage(r.topLeft(), picture_, r);
  for (size_t i = 0; i < points_.size(); ++i) {
    if (points_[i]) DrawPointMark(p, *points_[i], int(i) + 1);
  }
}

void CalibrationPicture::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pixel = event->position().toPoint();
  if (event->button() == Qt::LeftButton && rect().contains(pixel)) clicked_(pixel);
}

}  // namespace qarn
