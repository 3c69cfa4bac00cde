#include "window/map_drag_tool.h"

#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cstdlib>

#include "commands/point_edit.h"
#include "commands/point_layout.h"
#include "map/map_transform.h"
#include "window/map_canvas.h"

namespace qarn {

namespace {

QString Decimal(long double value) {
  return QLocale().toString(static_cast<double>(value), 'f', 2);
}

}  // namespace

DragTool::DragTool(MapEditor& editor, const MapCanvas& canvas, const MapPointer& press)
    : editor_(editor), canvas_(canvas), press_(press), click_(editor, canvas) {}

void DragTool::Move(const MapPointer& pointer) {
  if (state_ == State::Cancelled) return;
  if (state_ == State::Pressed) {
    if ((pointer.view - press_.view).manhattanLength() < QApplication::startDragDistance()) return;
    state_ = State::Dragging;
  }
  try {
    const MapChange change = Change(pointer);
    if (change.wholeSelection) {
      editor_.Editing().PreviewSelected(change.preview);
    } else {
      editor_.Editing().Preview(change.preview);
    }
    editor_.ShowHint(change.hint);
  } catch (const std::exception&) {
    editor_.ShowHint(QString());  // nothing to turn: the marks stay as they are
  }
}

void DragTool::Release(const MapPointer& pointer) {
  const State state = std::exchange(state_, State::Cancelled);
  if (state == State::Pressed) click_.Release(pointer);
  if (state != State::Dragging) return;
  EndPreview();  // the marks as before the drag; the command draws them anew
  editor_.Guard([&] {
    const MapChange change = Change(pointer);
    if (change.commit) change.commit();
  });
}

void DragTool::Cancel() {
  if (std::exchange(state_, State::Cancelled) == State::Dragging) EndPreview();
}

void DragTool::EndPreview() {
  editor_.Editing().EndPreview();
  editor_.ShowHint(QString());
}

QPoint DragTool::Offset(const MapPointer& pointer) const {
  const ViewTransform& view = canvas_.View();
  QPoint offset = view.MapPixelAt(pointer.view) - view.MapPixelAt(press_.view);
  if (pointer.modifiers & Qt::ShiftModifier) {
    if (std::abs(offset.x()) >= std::abs(offset.y())) {
      offset.setY(0);
    } else {
      offset.setX(0);
    }
  }
  return offset;
}

MapChange MoveTool::Change(const MapPointer& pointer) const {
  const QPoint offset = Offset(pointer);
  const MapTransform& calibration = editor_.Transform();
  const Vec3 world{offset.x() * static_cast<long double>(calibration.unitsPerPixelX), 0,
                   offset.y() * static_cast<long double>(calibration.unitsPerPixelZ)};
  const auto shift = [world](tDesc& object) { ShiftPointsBy(object, world); };
  MapChange change{QStringLiteral("move by x %1  z %2").arg(Decimal(world.x), Decimal(world.z)),
                   shift, nullptr, true};
  if (!offset.isNull()) {
    PathSetDocument& model = editor_.Editing();
    change.commit = [&model, shift] {
      model.CommitSelected(QStringLiteral("Move on the map"), shift);
    };
  }
  return change;
}

PointTool::PointTool(MapEditor& editor, const MapCanvas& canvas, const MapPointer& press, int point)
    : DragTool(editor, canvas, press), point_(point) {
  const tPoint& p = editor.Editing().CurrentObject().Point(point);
  start_ = editor.Transform().PixelOf(p.x, p.z);
}

// Where the point goes: the world position of its new map pixel, or with Shift the coordinate of
// the axis it did not move along as it was.
std::pair<long double, long double> PointTool::Target(const MapPointer& pointer) const {
  const QPoint offset = Offset(pointer);
  const QPoint pixel = start_ + offset;
  const MapTransform& calibration = editor_.Transform();
  const tPoint& now = editor_.Editing().CurrentObject().Point(point_);
  const bool axis = pointer.modifiers & Qt::ShiftModifier;
  return {axis && offset.x() == 0 ? now.x : calibration.MapToWorldX(float(pixel.x())),
          axis && offset.y() == 0 ? now.z : calibration.MapToWorldZ(float(pixel.y()))};
}

MapChange PointTool::Change(const MapPointer& pointer) const {
  const auto [x, z] = Target(pointer);
  const int k = point_;
  const auto move = [k, x, z](tDesc& object) { MovePointTo(object, k, x, z); };
  MapChange change{QStringLiteral("point %1  x %2  z %3").arg(k).arg(Decimal(x), Decimal(z)), move,
                   nullptr};
  if (!Offset(pointer).isNull()) {
    change.commit = [this, move, k] {
      editor_.Editing().Commit(QStringLiteral("Move point %1").arg(k), move);
      editor_.ShowPoint(k);
    };
  }
  return change;
}

MapChange TurnTool::Change(const MapPointer& pointer) const {
  return editor_.TurnTowards(canvas_.View().MapPointAt(pointer.view));
}

QCursor TurnTool::HoverCursor() {
  static const QCursor cursor = [] {
    QPixmap picture(24, 24);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.arcMoveTo(4, 4, 16, 16, 200);
    arrow.arcTo(4, 4, 16, 16, 200, -250);
    const QPointF tip = arrow.currentPosition();
    arrow.moveTo(tip + QPointF(-5, -1));
    arrow.lineTo(tip);
    arrow.lineTo(tip + QPointF(1, -5));
    for (const auto& [colour, width] : {std::pair{Qt::white, 4.0}, std::pair{Qt::black, 1.6}}) {
      painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      painter.drawPath(arrow);
    }
    return QCursor(picture, 12, 12);
  }();
  return cursor;
}

}  // namespace qarn
