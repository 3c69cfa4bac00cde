#pragma once

#include <utility>

#include "window/map_editor.h"
#include "window/map_pick_tool.h"
#include "window/map_tool.h"

namespace qarn {

class MapCanvas;

// Taking hold of the current object's marks. Until the pointer has moved the platform's drag
// distance the press is a plain click, and its release picks; after that the document model
// previews the change the pointer makes and the release commits it as one command. Escape ends
// the preview and changes nothing.
class DragTool : public MapTool {
 public:
  DragTool(MapEditor& editor, const MapCanvas& canvas, const MapPointer& press);

  void Move(const MapPointer& pointer) final;
  void Release(const MapPointer& pointer) final;
  void Cancel() final;

 protected:
  virtual MapChange Change(const MapPointer& pointer) const = 0;

  // How far the pointer has moved in whole map pixels; with Shift along one axis only.
  QPoint Offset(const MapPointer& pointer) const;

  MapEditor& editor_;
  const MapCanvas& canvas_;
  MapPointer press_;

 private:
  void EndPreview();

  enum class State { Pressed, Dragging, Cancelled };
  State state_ = State::Pressed;
  PickTool click_;
};

// Drags every selected object by the same whole map pixels; Shift keeps the move to one axis.
class MoveTool : public DragTool {
 public:
  using DragTool::DragTool;
  QCursor Cursor() const override { return Qt::SizeAllCursor; }

 protected:
  MapChange Change(const MapPointer& pointer) const override;
};

// Drags one point of the current object to the position of a whole map pixel, as a click there
// would pick it; Shift keeps the other coordinate as it was. Height and flags stay.
class PointTool : public DragTool {
 public:
  PointTool(MapEditor& editor, const MapCanvas& canvas, const MapPointer& press, int point);
  QCursor Cursor() const override { return Qt::PointingHandCursor; }

 protected:
  MapChange Change(const MapPointer& pointer) const override;

 private:
  std::pair<long double, long double> Target(const MapPointer& pointer) const;

  int point_;
  QPoint start_;  // the map pixel the point stood on
};

// Turns the object about point 1 by dragging the end of its direction line.
class TurnTool : public DragTool {
 public:
  using DragTool::DragTool;
  QCursor Cursor() const override { return HoverCursor(); }
  // A circling arrow, made once.
  static QCursor HoverCursor();

 protected:
  MapChange Change(const MapPointer& pointer) const override;
};

}  // namespace qarn
