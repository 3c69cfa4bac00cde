#include "widgets/field_panel_style.h"

#include <QApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <cmath>

namespace qarn {
namespace {

// The device ratio when it is whole: at a fractional one a field's pixels do not start on whole
// device pixels, and the antialiased frame depends on where it falls.
int WholeRatio(const QPainter* painter) {
  const qreal ratio = painter->device()->devicePixelRatio();
  return ratio == std::floor(ratio) ? static_cast<int>(ratio) : 0;
}

}  // namespace

FieldPanelStyle* FieldPanelStyle::Shared() {
  static QPointer<FieldPanelStyle> shared;
  if (shared.isNull()) {
    shared = new FieldPanelStyle(QStyleFactory::create(QApplication::style()->name()));
    shared->setParent(qApp);
  }
  return shared;
}

void FieldPanelStyle::Use(QWidget* field) {
  field->setStyle(Shared());
  field->setAttribute(Qt::WA_OpaquePaintEvent);
}

void FieldPanelStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
  if (element != PE_PanelLineEdit) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  const int ratio = WholeRatio(painter);
  if (ratio == 0 || painter->transform().type() > QTransform::TxTranslate ||
      option->palette.window().style() != Qt::SolidPattern) {
    painter->fillRect(option->rect, option->palette.window());
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  painter->drawPixmap(option->rect.topLeft(), Panel(*option, widget, ratio));
}

QPixmap FieldPanelStyle::Panel(const QStyleOption& option, const QWidget* widget, int ratio) const {
  // The frame as Qt would draw it on the field, every field of its option copied.
  QStyleOptionFrame frame;
  if (const auto* given = qstyleoption_cast<const QStyleOptionFrame*>(&option)) {
    frame = *given;
  } else {
    static_cast<QStyleOption&>(frame) = option;
  }
  // All the frame depends on: size, device ratio, state, line widths, features, palette,
  // layout direction.
  const QString key = QStringLiteral("qarn-field-%1x%2-%3-%4-%5-%6-%7-%8-%9")
                          .arg(frame.rect.width())
                          .arg(frame.rect.height())
                          .arg(ratio)
                          .arg(int(frame.state))
                          .arg(frame.lineWidth)
                          .arg(frame.midLineWidth)
                          .arg(int(frame.features))
                          .arg(frame.palette.cacheKey())
                          .arg(int(frame.direction));
  QPixmap panel;
  if (QPixmapCache::find(key, &panel)) return panel;
  panel = QPixmap(frame.rect.size() * ratio);
  panel.setDevicePixelRatio(ratio);
  panel.fill(frame.palette.window().color());
  frame.rect.moveTopLeft(QPoint(0, 0));
  QPainter painter(&panel);
  QProxyStyle::drawPrimitive(PE_PanelLineEdit, &frame, &painter, widget);
  painter.end();
  QPixmapCache::insert(key, panel);
  return panel;
}

}  // namespace qarn
