#include "widgets/glyph_icons.h"

#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace qarn {
namespace {

// Glyphs are drawn on a 16 x 16 grid and scaled; lines 2 units wide on whole units, and
// 1 unit wide on half units, fall on whole pixels at 16 and 32 pixels.
constexpr qreal kGrid = 16;

QColor Ink() {
  return {52, 56, 64};
}
QColor ArrowInk() {
  return {34, 86, 168};
}
QColor Green() {
  return {32, 138, 62};
}

QPen Pen(const QColor& colour, qreal width) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void FillPolygon(QPainter& p, const QPolygonF& polygon, const QColor& colour) {
  p.setPen(Pen(colour, 0.6));
  p.setBrush(colour);
  p.drawPolygon(polygon);
}

// A straight arrow pointing east, turned clockwise by `degrees` about the centre.
void PaintStraightArrow(QPainter& p, qreal degrees) {
  p.translate(8, 8);
  p.rotate(degrees);
  p.translate(-8, -8);
  p.setPen(Pen(ArrowInk(), 2));
  p.drawLine(QPointF(2.5, 8), QPointF(10, 8));
  FillPolygon(p, QPolygonF({{14, 8}, {9, 3.5}, {9, 12.5}}), ArrowInk());
}

// An arrow along a circular arc: angles in degrees, counter-clockwise from three o'clock as
// Qt counts them; the head sits at the end of the sweep, pointing the way the arc runs.
void PaintArcArrow(QPainter& p, QPointF centre, qreal radius, qreal start, qreal sweep,
                   const QColor& colour) {
  const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  const qreal end = (start + sweep) * std::numbers::pi / 180;
  const QPointF tip = centre + radius * QPointF(std::cos(end), -std::sin(end));
  const qreal turn = sweep > 0 ? 1 : -1;
  const QPointF along = turn * QPointF(-std::sin(end), -std::cos(end));
  const QPointF across(-along.y(), along.x());
  QPainterPath arc;
  arc.arcMoveTo(circle, start);
  arc.arcTo(circle, start, sweep - turn * 20);
  p.setPen(Pen(colour, 2));
  p.setBrush(Qt::NoBrush);
  p.drawPath(arc);
  const QPointF base = tip - 3.2 * along;
  FillPolygon(p, QPolygonF({tip + 1.2 * along, base + 3.4 * across, base - 3.4 * across}), colour);
}

void PaintCheckMark(QPainter& p) {
  p.setPen(Pen(Green(), 2.6));
  p.drawPolyline(QPolygonF({{3, 8.5}, {6.5, 12}, {13, 4}}));
}

void PaintTriangle(QPainter& p, bool up) {
  const qreal apex = up ? 3 : 13;
  const qreal base = up ? 12.5 : 3.5;
  QLinearGradient shade(QPointF(2, 0), QPointF(14, 0));
  shade.setColorAt(0, QColor(150, 186, 232));
  shade.setColorAt(1, QColor(30, 74, 150));
  p.setPen(Pen(QColor(24, 56, 112), 1));
  p.setBrush(shade);
  p.drawPolygon(QPolygonF({{8, apex}, {14, base}, {2, base}}));
}

void PaintArrowRightPlus(QPainter& p) {
  p.setPen(Pen(ArrowInk(), 2));
  p.drawLine(QPointF(3, 11), QPointF(10, 11));
  FillPolygon(p, QPolygonF({{14.5, 11}, {9.5, 6.8}, {9.5, 15.2}}), ArrowInk());
  p.setPen(Pen(Green(), 2));
  p.drawLine(QPointF(5, 1.5), QPointF(5, 7.5));
  p.drawLine(QPointF(2, 4.5), QPointF(8, 4.5));
}

void PaintCircleThreeShapes(QPainter& p) {
  p.setPen(Pen(Ink(), 1.2));
  p.setBrush(QColor(246, 246, 240));
  p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
  FillPolygon(p, QPolygonF({{8, 3.6}, {10.3, 7.4}, {5.7, 7.4}}), ArrowInk());
  p.setPen(Pen(QColor(200, 96, 20), 0.6));
  p.setBrush(QColor(232, 120, 30));
  p.drawRect(QRectF(4.2, 8.8, 3, 3));
  p.setPen(Qt::NoPen);
  p.setBrush(Green());
  p.drawEllipse(QPointF(10.4, 10.3), 1.7, 1.7);
}

void PaintWasteBin(QPainter& p) {
  p.setPen(Pen(Ink(), 1));
  p.setBrush(QColor(214, 218, 224));
  p.drawPolygon(QPolygonF({{4, 5.5}, {12, 5.5}, {11, 14.5}, {5, 14.5}}));
  p.drawLine(QPointF(6.5, 7.5), QPointF(6.5, 12.5));
  p.drawLine(QPointF(9.5, 7.5), QPointF(9.5, 12.5));
  p.setPen(Pen(Ink(), 1.5));
  p.drawLine(QPointF(2.5, 4), QPointF(13.5, 4));
  p.setPen(Pen(Ink(), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(6.5, 1.5, 3, 2.5));
}

// A bar and an arrow, the bar above an arrow pointing down or below one pointing up.
void PaintBarArrow(QPainter& p, bool down) {
  const qreal bar = down ? 2 : 12;
  p.setPen(Qt::NoPen);
  p.setBrush(Ink());
  p.drawRect(QRectF(3, bar, 10, 2));
  const qreal tip = down ? 15 : 1;
  const qreal neck = down ? 10 : 6;
  p.setPen(Pen(ArrowInk(), 2));
  p.drawLine(QPointF(8, down ? 5.5 : 10.5), QPointF(8, neck));
  FillPolygon(p, QPolygonF({{8, tip}, {3.5, neck}, {12.5, neck}}), ArrowInk());
}

void PaintPlusMinus(QPainter& p, bool plus) {
  p.setPen(Pen(Ink(), 2));
  p.drawLine(QPointF(3, 8), QPointF(13, 8));
  if (plus) p.drawLine(QPointF(8, 3), QPointF(8, 13));
}

void PaintGlyph(QPainter& p, Glyph g) {
  switch (g) {
    case Glyph::CheckMark:
      return PaintCheckMark(p);
    case Glyph::ArrowE:
      return PaintStraightArrow(p, 0);
    case Glyph::ArrowSE:
      return PaintStraightArrow(p, 45);
    case Glyph::ArrowS:
      return PaintStraightArrow(p, 90);
    case Glyph::ArrowSW:
      return PaintStraightArrow(p, 135);
    case Glyph::ArrowW:
      return PaintStraightArrow(p, 180);
    case Glyph::ArrowNW:
      return PaintStraightArrow(p, 225);
    case Glyph::ArrowN:
      return PaintStraightArrow(p, 270);
    case Glyph::ArrowNE:
      return PaintStraightArrow(p, 315);
    case Glyph::TriangleUp:
      return PaintTriangle(p, true);
    case Glyph::TriangleDown:
      return PaintTriangle(p, false);
    case Glyph::ArrowRightPlus:
      return PaintArrowRightPlus(p);
    case Glyph::CircleThreeShapes:
      return PaintCircleThreeShapes(p);
    case Glyph::WasteBin:
      return PaintWasteBin(p);
    case Glyph::BarOverArrowDown:
      return PaintBarArrow(p, true);
    case Glyph::ArrowUpOverBar:
      return PaintBarArrow(p, false);
    case Glyph::ArrowDownLeft:
      return PaintArcArrow(p, {13, 13}, 9, 90, 90, ArrowInk());
    case Glyph::ArrowDownRight:
      return PaintArcArrow(p, {3, 13}, 9, 90, -90, ArrowInk());
    case Glyph::ArrowUpRight:
      return PaintArcArrow(p, {3, 3}, 9, 270, 90, ArrowInk());
    case Glyph::ArrowUpLeft:
      return PaintArcArrow(p, {13, 3}, 9, 270, -90, ArrowInk());
    case Glyph::Undo:
      return PaintArcArrow(p, {8, 10}, 5, -30, 210, ArrowInk());
    case Glyph::Redo:
      return PaintArcArrow(p, {8, 10}, 5, 210, -210, ArrowInk());
    case Glyph::Plus:
      return PaintPlusMinus(p, true);
    case Glyph::Minus:
      return PaintPlusMinus(p, false);
  }
}

QImage GlyphImage(Glyph g, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kGrid, size / kGrid);
  PaintGlyph(p, g);
  return image;
}

// The disabled state: the glyph in light grey, half transparent.
QImage Greyed(const QImage& normal) {
  QImage grey = normal.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < grey.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(grey.scanLine(y));
    for (int x = 0; x < grey.width(); ++x) {
      const int level = 110 + qGray(row[x]) / 3;
      row[x] = qRgba(level, level, level, qAlpha(row[x]) * 11 / 20);
    }
  }
  return grey;
}

void PaintAppIcon(QPainter& p) {
  QPainterPath tile;
  tile.addRoundedRect(QRectF(4, 4, 56, 56), 8, 8);
  p.fillPath(tile, QColor(191, 233, 239));
  p.setClipPath(tile);
  QPainterPath land;
  land.moveTo(4, 40);
  land.quadTo(20, 30, 30, 42);
  land.quadTo(40, 54, 60, 36);
  land.lineTo(60, 60);
  land.lineTo(4, 60);
  land.closeSubpath();
  p.fillPath(land, QColor(233, 226, 207));
  p.setPen(QPen(Qt::white, 2.5));
  p.drawLine(QPointF(14, 44), QPointF(56, 44));
  p.drawLine(QPointF(24, 36), QPointF(24, 60));
  p.drawLine(QPointF(42, 36), QPointF(42, 60));
  p.setClipping(false);
  p.setPen(QPen(QColor(32, 32, 32), 2));
  p.setBrush(Qt::NoBrush);
  for (QPointF corner : {QPointF(12, 12), QPointF(28, 18), QPointF(44, 12)}) {
    p.drawRect(QRectF(corner, QSizeF(7, 7)));
  }
  p.setPen(QPen(QColor(32, 32, 32), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(22, 34), QPointF(44, 24));
  p.setPen(QPen(QColor(32, 32, 32), 2));
  p.setBrush(QColor(255, 0, 0));
  p.drawEllipse(QPointF(22, 34), 6, 6);
}

QImage AppIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  PaintAppIcon(p);
  return image;
}

// One picture of a glyph, drawn once for the whole program: many buttons show the same glyph
// (seven a check mark, four a plus), and drawing the paths is most of what a glyph costs.
QPixmap SharedGlyphPixmap(Glyph glyph, int side, bool disabled) {
  const QString key = QStringLiteral("qarn-glyph-%1-%2-%3")
                          .arg(static_cast<int>(glyph))
                          .arg(side)
                          .arg(disabled ? 'd' : 'n');
  QPixmap drawn;
  if (QPixmapCache::find(key, &drawn)) return drawn;
  const QImage normal = GlyphImage(glyph, side);
  drawn = QPixmap::fromImage(disabled ? Greyed(normal) : normal);
  QPixmapCache::insert(key, drawn);
  return drawn;
}

// Draws a glyph when a size and state of it is first shown, not when the button is made: most
// buttons are never shown disabled or at 32 pixels, and drawing every picture up front took a
// tenth of the editor's start. Each icon keeps what it showed, so a picture the shared cache
// dropped is never drawn again for the same button.
class GlyphIconEngine : public QIconEngine {
 public:
  explicit GlyphIconEngine(Glyph glyph) : glyph_(glyph) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const bool disabled = mode == QIcon::Disabled;
    const int side = std::min(size.width(), size.height());
    QPixmap& cached = drawn_[{side, disabled}];
    if (cached.isNull() && side > 0) cached = SharedGlyphPixmap(glyph_, side, disabled);
    return cached;
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return {side, side};
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {QSize(16, 16), QSize(32, 32)};
  }
  QIconEngine* clone() const override { return new GlyphIconEngine(*this); }

 private:
  Glyph glyph_;
  std::map<std::pair<int, bool>, QPixmap> drawn_;
};

}  // namespace

QIcon GlyphIcon(Glyph g) {
  return QIcon(new GlyphIconEngine(g));
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addPixmap(QPixmap::fromImage(AppIconImage(size)));
  return icon;
}

bool SaveAppIconPng(const QString& path, int size) {
  return size > 0 && AppIconImage(size).save(path, "PNG");
}

}  // namespace qarn
