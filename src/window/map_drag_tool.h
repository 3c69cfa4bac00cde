#pragma once

#include "window/map_pick_tool.h"
#include "window/map_tool.h"

namespace qarn {

class MapCanvas;
class MapEditor;

// Taking hold of the selected object's marks. Until the pointer has moved the platform's drag
// distance the press is a plain click, and its release picks; after that the marks follow the
// pointer and the release applies the change as one command. Escape puts the marks back.
class DragTool : public MapTool {
 public:
  DragTool(MapEditor& editor, const MapCanvas& canvas, const MapPointer& press);

  void Move(const MapPointer& pointer) final;
  void Release(const MapPointer& pointer) final;
  void Cancel() final;

 protected:
  virtual void Preview(const MapPointer& pointer) = 0;
  virtual void Finish(const MapPointer& pointer) = 0;

  MapEditor& editor_;
  const MapCanvas& canvas_;
  MapPointer press_;

 private:
  enum class State { Pressed, Dragging, Cancelled };
  State state_ = State::Pressed;
  PickTool click_;
};

// Drags the whole object by whole map pixels; Shift keeps the move to one axis.
class MoveTool : public DragTool {
 public:
  using DragTool::DragTool;
  QCursor Cursor() const override { return Qt::SizeAllCursor; }

 protected:
  void Preview(const MapPointer& pointer) override;
  void Finish(const MapPointer& pointer) override;

 private:
  QPoint Offset(const MapPointer& pointer) const;
};

// Turns the object about point 1 by dragging the end of its direction line.
class TurnTool : public DragTool {
 public:
  using DragTool::DragTool;
  QCursor Cursor() const override { return HoverCursor(); }
  // A circling arrow, made once.
  static QCursor HoverCursor();

 protected:
  void Preview(const MapPointer& pointer) override;
  void Finish(const MapPointer& pointer) override;
};

}  // namespace qarn
