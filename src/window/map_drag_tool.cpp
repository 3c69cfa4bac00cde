#include "window/map_drag_tool.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cstdlib>

#include "window/map_canvas.h"
#include "window/map_editor.h"

namespace qarn {

DragTool::DragTool(MapEditor& editor, const MapCanvas& canvas, const MapPointer& press)
    : editor_(editor), canvas_(canvas), press_(press), click_(editor, canvas) {}

void DragTool::Move(const MapPointer& pointer) {
  if (state_ == State::Cancelled) return;
  if (state_ == State::Pressed) {
    if ((pointer.view - press_.view).manhattanLength() < QApplication::startDragDistance()) return;
    state_ = State::Dragging;
    editor_.BeginPreview();
  }
  Preview(pointer);
}

void DragTool::Release(const MapPointer& pointer) {
  const State state = std::exchange(state_, State::Cancelled);
  if (state == State::Pressed) click_.Release(pointer);
  if (state == State::Dragging) Finish(pointer);
}

void DragTool::Cancel() {
  if (std::exchange(state_, State::Cancelled) == State::Dragging) editor_.CancelPreview();
}

QPoint MoveTool::Offset(const MapPointer& pointer) const {
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

void MoveTool::Preview(const MapPointer& pointer) {
  editor_.PreviewMove(Offset(pointer));
}

void MoveTool::Finish(const MapPointer& pointer) {
  editor_.FinishMove(Offset(pointer));
}

void TurnTool::Preview(const MapPointer& pointer) {
  editor_.PreviewTurn(canvas_.View().MapPointAt(pointer.view));
}

void TurnTool::Finish(const MapPointer& pointer) {
  editor_.FinishTurn(canvas_.View().MapPointAt(pointer.view));
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
