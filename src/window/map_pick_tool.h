#pragma once

#include "window/map_tool.h"

namespace qarn {

class MapCanvas;
class MapEditor;

// A plain click, as designed: the release over the picture picks its position; a release outside
// (the pointer dragged off the picture) picks nothing.
class PickTool : public MapTool {
 public:
  PickTool(MapEditor& editor, const MapCanvas& canvas) : editor_(editor), canvas_(canvas) {}

  void Move(const MapPointer&) override {}
  void Release(const MapPointer& pointer) override;
  void Cancel() override {}
  QCursor Cursor() const override { return Qt::CrossCursor; }

 protected:
  MapEditor& editor_;
  const MapCanvas& canvas_;
};

// Alt+click: the release over the picture inserts a point after the current point there.
class InsertTool : public PickTool {
 public:
  using PickTool::PickTool;
  void Release(const MapPointer& pointer) override;
};

}  // namespace qarn
