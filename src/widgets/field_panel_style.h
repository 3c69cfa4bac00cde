#pragma once

#include <QPixmap>
#include <QProxyStyle>

namespace qarn {

// The style of text fields that stand on the window's plain background. They paint every pixel of
// their rectangle, the corners outside the rounded frame in the window's colour, so Qt paints
// nothing beneath them; and the frame with that background is kept as a picture per size, state
// and palette (in Qt's pixmap cache). A list click refills a field or two, and Fusion's antialiased
// rounded frame was most of the cost of repainting one. Drawn on that background, the picture is
// pixel for pixel what painting the frame directly gives.
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

  QPixmap Panel(const QStyleOption& option, const QWidget* widget, int ratio) const;
};

}  // namespace qarn
