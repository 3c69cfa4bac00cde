#include "window/map_select_tool.h"

#include "window/map_canvas.h"
#include "window/map_editor.h"

namespace qarn {

std::unique_ptr<MapTool> SelectTool::Start(MapEditor& editor, const MapCanvas& canvas,
                                           const MapPointer& press) {
  if (!editor.SelectNear(press.view, canvas.View())) return nullptr;
  return std::make_unique<SelectTool>();
}

}  // namespace qarn
