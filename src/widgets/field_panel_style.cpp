#include "widgets/field_panel_style.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <cmath>

namespace qarn {
namespace {

// Fields have a few sizes and states; past this many pictures something changes all the time
// (the palette, say), and they are made afresh.
constexpr size_t kMostPanels = 64;

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

const QPixmap& FieldPanelStyle::Panel(const QStyleOption& option, const QWidget* widget,
                                      int ratio) const {
  // The frame as Qt would draw it on the field, every field of its option copied.
  QStyleOptionFrame frame;
  if (const auto* given = qstyleoption_cast<const QStyleOptionFrame*>(&option)) {
    frame = *given;
  } else {
    static_cast<QStyleOption&>(frame) = option;
  }
  const Key key{frame.rect.width(),  frame.rect.height(),      ratio,
                int(frame.state),    frame.lineWidth,          frame.midLineWidth,
                int(frame.features), frame.palette.cacheKey(), int(frame.direction)};
  if (const auto kept = panels_.find(key); kept != panels_.end()) return kept->second;
  if (panels_.size() >= kMostPanels) panels_.clear();
  QPixmap panel(frame.rect.size() * ratio);
  panel.setDevicePixelRatio(ratio);
  panel.fill(frame.palette.window().color());
  frame.rect.moveTopLeft(QPoint(0, 0));
  QPainter painter(&panel);
  QProxyStyle::drawPrimitive(PE_PanelLineEdit, &frame, &painter, widget);
  painter.end();
  return panels_.emplace(key, std::move(panel)).first->second;
}

}  // namespace qarn
