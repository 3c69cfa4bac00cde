#include "window/map_canvas.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <vector>

#include "map/device_marks.h"
#include "map/map_handles.h"
#include "map/map_picture.h"
#include "window/map_band_tool.h"
#include "window/map_drag_tool.h"
#include "window/map_editor.h"
#include "window/map_pan_tool.h"
#include "window/map_pick_tool.h"
#include "window/map_select_tool.h"
#include "window/map_view.h"

namespace qarn {
namespace {

// Below 100 % the marks keep their size in view pixels, so they reach this far past the view
// rectangle of the map pixels they stand on.
constexpr int kMarkReachInView = 14;

// A piece of the map is made in 32 bits for Qt to copy. From 100 % up it is made in bands of at
// most this many pixels: the first paint of a large view made all of it at once, most of a
// megabyte held only for the copy. A click's strips are one band each. (Below 100 % each piece
// draws every mark over itself, so it stays whole.)
constexpr int kMostPixelsInABand = 1 << 16;

// The bands of `exposed`, top to bottom, each of whole rows.
std::vector<QRect> Bands(const QRect& exposed, bool banded) {
  if (!banded) return {exposed};
  const int rows = std::max(1, kMostPixelsInABand / exposed.width());
  std::vector<QRect> bands;
  for (int top = exposed.top(); top <= exposed.bottom(); top += rows) {
    bands.emplace_back(exposed.left(), top, exposed.width(),
                       std::min(rows, exposed.bottom() + 1 - top));
  }
  return bands;
}

// Space is the focused control's own where it types a blank, presses a button, toggles a check
// box or opens a box's list: someone at the keyboard never knows the pointer rests on the map.
bool UsesSpace(const QWidget* widget) {
  return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
         qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget);
}

}  // namespace

MapCanvas::MapCanvas(const MapPicture& map, MapView& view) : map_(map), view_(view) {
  setObjectName(QStringLiteral("Image1"));
  setAccessibleName(QStringLiteral("Map picture"));
  setCursor(Qt::CrossCursor);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  SetView(ViewTransform());
}

MapCanvas::~MapCanvas() {
  qApp->removeEventFilter(this);
}

QSize MapCanvas::PictureSize() const {
  return map_.Image().size();
}

void MapCanvas::SetView(const ViewTransform& transform) {
  transform_ = transform;
  setFixedSize(transform_.ViewSize(map_.Image().size()));
  update();
}

void MapCanvas::ShowChanges(const QRegion& mapArea) {
  const double ratio = devicePixelRatioF();
  int margin = transform_.Scale() < 1.0 ? kMarkReachInView : 0;
  if (ratio != 1.0) margin = std::max(margin, DeviceMarkReach(transform_.Scale(), ratio));
  for (const QRect& r : mapArea) {
    update(transform_.ViewRectOf(r).adjusted(-margin, -margin, margin, margin));
  }
}

void MapCanvas::paintEvent(QPaintEvent* event) {
  // Only the exposed part: the picture is 1280 x 1600 at 100 %, the viewport a fraction of it.
  QPainter painter(this);
  const double ratio = devicePixelRatioF();
  for (const QRect& r : event->region()) {
    const QRect exposed = r & rect();
    if (exposed.isEmpty()) continue;
    // Clipped to one rectangle Qt copies the piece line by line. Under a region of several
    // rectangles (a click exposes the old and the new marks) it would blend it span by span
    // on its worker threads, and waking them costs more than the whole copy.
    painter.setClipRect(exposed);
    for (const QRect& band : Bands(exposed, transform_.Scale() >= 1.0)) {
      painter.drawImage(band.topLeft(), zoomed_.Piece(map_, transform_, band, ratio == 1.0));
    }
    if (ratio != 1.0) PaintMarkLayer(painter, exposed, ratio);
  }
}

void MapCanvas::PaintMarkLayer(QPainter& painter, QRect exposed, double ratio) const {
  const QRect device = DeviceRectOf(exposed, ratio);
  QImage layer = DeviceMarkLayer(map_.Marks(), transform_, ratio, device);
  if (layer.isNull()) return;
  layer.setDevicePixelRatio(ratio);
  painter.drawImage(QPointF(device.topLeft()) / ratio, layer);
}

MapPointer MapCanvas::PointerOf(const QMouseEvent* event) const {
  return {event->position().toPoint(), event->globalPosition().toPoint(), event->modifiers()};
}

std::unique_ptr<MapTool> MapCanvas::ToolFor(const QMouseEvent* event, const MapPointer& pointer) {
  const bool left = event->button() == Qt::LeftButton;
  if (event->button() == Qt::MiddleButton || (left && spaceHeld_)) {
    return std::make_unique<PanTool>(view_, pointer);
  }
  if (!editor_) return nullptr;
  if (left && (pointer.modifiers & Qt::AltModifier)) {
    return std::make_unique<InsertTool>(*editor_, *this);
  }
  if (!left) return std::make_unique<PickTool>(*editor_, *this);
  const MapGrip grip = GripUnder(pointer.view, pointer.modifiers);
  switch (grip.handle) {
    case MapHandle::Disc:
    case MapHandle::SelectedObject:
      return std::make_unique<MoveTool>(*editor_, *this, pointer);
    case MapHandle::LineEnd:
      return std::make_unique<TurnTool>(*editor_, *this, pointer);
    case MapHandle::Point:
      return std::make_unique<PointTool>(*editor_, *this, pointer, grip.point.point);
    case MapHandle::None:
      break;
  }
  return std::make_unique<BandTool>(*editor_, *this, pointer);
}

MapGrip MapCanvas::GripUnder(QPoint view, Qt::KeyboardModifiers modifiers) const {
  if (!editor_ || !editor_->Editing().HasCurrentObject()) return {};
  const PathSetDocument& model = editor_->Editing();
  const GripTargets targets{model.Document(), editor_->Transform(), model.CurrentObjectNumber(),
                            model.Selected().objects};
  return GripAt(map_.Marks(), targets, transform_, view, modifiers & Qt::ControlModifier);
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
  if (tool_) return;  // another button during a drag changes nothing
  const MapPointer pointer = PointerOf(event);
  Hold(ToolFor(event, pointer), event->button());
}

void MapCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  if (tool_) return;
  const MapPointer pointer = PointerOf(event);
  if (event->button() == Qt::LeftButton && !spaceHeld_ && editor_) {
    if (auto select = SelectTool::Start(*editor_, *this, pointer)) {
      Hold(std::move(select), event->button());
      return;
    }
  }
  Hold(ToolFor(event, pointer), event->button());
}

void MapCanvas::Hold(std::unique_ptr<MapTool> tool, Qt::MouseButton button) {
  tool_ = std::move(tool);
  if (!tool_) return;
  toolButton_ = button;
  setCursor(tool_->Cursor());
  // Escape reaches the tool wherever the keyboard focus is.
  qApp->installEventFilter(this);
}

void MapCanvas::LetGo() {
  tool_.reset();
  toolButton_ = Qt::NoButton;
  if (!underMouse()) qApp->removeEventFilter(this);
}

void MapCanvas::mouseMoveEvent(QMouseEvent* event) {
  const MapPointer pointer = PointerOf(event);
  if (editor_) editor_->PointerOver(transform_.MapPixelAt(pointer.view));
  if (tool_) {
    tool_->Move(pointer);
  } else {
    ShowCursorFor(pointer.view);
  }
}

void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
  const MapPointer pointer = PointerOf(event);
  if (!tool_) {
    // A release without a press seen here (the press began elsewhere) picks, as designed.
    if (editor_) PickTool(*editor_, *this).Release(pointer);
    return;
  }
  if (event->button() != toolButton_) return;
  std::unique_ptr<MapTool> tool = std::move(tool_);
  LetGo();
  tool->Release(pointer);
  ShowCursorFor(pointer.view);
}

void MapCanvas::keyPressEvent(QKeyEvent* event) {
  if (tool_ && event->key() == Qt::Key_Escape) {
    tool_->Cancel();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
  view_.TurnWheel(event, mapTo(view_.viewport(), event->position().toPoint()));
}

void MapCanvas::ShowCursorFor(QPoint view) {
  if (spaceHeld_) {
    setCursor(Qt::OpenHandCursor);
    return;
  }
  switch (GripUnder(view, QApplication::keyboardModifiers()).handle) {
    case MapHandle::Disc:
    case MapHandle::SelectedObject:
      setCursor(Qt::SizeAllCursor);
      break;
    case MapHandle::LineEnd:
      setCursor(TurnTool::HoverCursor());
      break;
    case MapHandle::Point:
      setCursor(Qt::PointingHandCursor);
      break;
    case MapHandle::None:
      setCursor(Qt::CrossCursor);
      break;
  }
}

void MapCanvas::enterEvent(QEnterEvent* event) {
  // Space pans while the pointer is over the map, unless the user is typing into a field.
  qApp->installEventFilter(this);
  QWidget::enterEvent(event);
}

void MapCanvas::leaveEvent(QEvent* event) {
  if (!tool_) qApp->removeEventFilter(this);
  spaceHeld_ = false;
  if (editor_) editor_->PointerOver(std::nullopt);
  QWidget::leaveEvent(event);
}

bool MapCanvas::TakesSpace(const QEvent* event) const {
  const auto* key = static_cast<const QKeyEvent*>(event);
  return key->key() == Qt::Key_Space && !UsesSpace(QApplication::focusWidget());
}

bool MapCanvas::CancelsTool(const QEvent* event) const {
  return tool_ && event->type() == QEvent::KeyPress &&
         static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

bool MapCanvas::eventFilter(QObject* watched, QEvent* event) {
  if (CancelsTool(event)) {
    tool_->Cancel();
    return true;
  }
  const QEvent::Type type = event->type();
  if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !TakesSpace(event)) {
    return QWidget::eventFilter(watched, event);
  }
  if (!static_cast<const QKeyEvent*>(event)->isAutoRepeat()) {
    spaceHeld_ = type == QEvent::KeyPress;
    if (!tool_) ShowCursorFor(mapFromGlobal(QCursor::pos()));
  }
  return true;
}

}  // namespace qarn
