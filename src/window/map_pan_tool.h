#pragma once

#include "window/map_tool.h"

namespace qarn {

class MapView;

// Drags the map under the pointer: the middle button, or the left one with Space held. Its
// release picks nothing.
class PanTool : public MapTool {
 public:
  PanTool(MapView& view, const MapPointer& press) : view_(view), last_(press.screen) {}

  void Move(const MapPointer& pointer) override;
  void Release(const MapPointer&) override {}
  void Cancel() override {}
  QCursor Cursor() const override { return Qt::ClosedHandCursor; }

 private:
  MapView& view_;
  QPoint last_;
};

}  // namespace qarn
