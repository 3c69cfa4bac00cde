#include "window/magnifier_view.h"

#include <QPainter>

#include "map/magnifier.h"

namespace qarn {

MagnifierView::MagnifierView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Image2"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MagnifierView::ShowAround(const QImage* picture, QPoint pixel) {
  picture_ = picture;
  centre_ = pixel;
  repaint();  // immediate, like the copy straight to the screen it stands for
}

void MagnifierView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor background = palette().color(QPalette::Window);
  if (picture_ && centre_) {
    PaintMagnifier(painter, *picture_, *centre_, size(), background);
    return;
  }
  painter.fillRect(rect(), background);
  PaintCrossHair(painter, size());
}

}  // namespace qarn
