#pragma once

#include <QPixmap>
#include <QProxyStyle>
#include <map>
#include <tuple>

namespace qarn {

// The style of text fields that stand on the window's plain background. They paint every pixel of
// their rectangle, the corners outside the rounded frame in the window's colour, so Qt paints
// nothing beneath them; and the frame with that background is kept as a picture per size, state
// and palette. A list click refills a field or two, and Fusion's antialiased rounded frame was
// most of the cost of repainting one. Drawn on that background, the picture is pixel for pixel
// what painting the frame directly gives.
class FieldPanelStyle : public QProxyStyle {
 public:
  // The one instance, a proxy of the application's style.
  static FieldPanelStyle* Shared();
  // Gives `field` this style and tells Qt that it paints all of its pixels.
  static void Use(QWidget* field);

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

 private:
  explicit FieldPanelStyle(QStyle* base) : QProxyStyle(base) {}
  // Width, height, device ratio, state, line width, mid-line width, frame features, palette,
  // layout direction: all the frame depends on.
  using Key = std::tuple<int, int, int, int, int, int, int, qint64, int>;

  const QPixmap& Panel(const QStyleOption& option, const QWidget* widget, int ratio) const;

  mutable std::map<Key, QPixmap> panels_;
};

}  // namespace qarn
