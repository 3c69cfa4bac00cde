#include "window/map_pan_tool.h"

#include "window/map_view.h"

namespace qarn {

void PanTool::Move(const MapPointer& pointer) {
  view_.ScrollBy(last_ - pointer.screen);
  last_ = pointer.screen;
}

}  // namespace qarn
