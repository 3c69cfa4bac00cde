#pragma once

#include <memory>

#include "window/map_tool.h"

namespace qarn {

class MapCanvas;
class MapEditor;

// A double-click on or near a point selects its object as a click on its row in the object list
// does. The release that ends the double-click then picks nothing, so the fields keep showing
// the object just selected.
class SelectTool : public MapTool {
 public:
  // The tool holding the double-click when it selected an object, else none.
  static std::unique_ptr<MapTool> Start(MapEditor& editor, const MapCanvas& canvas,
                                        const MapPointer& press);

  void Move(const MapPointer&) override {}
  void Release(const MapPointer&) override {}
  void Cancel() override {}
  QCursor Cursor() const override { return Qt::CrossCursor; }
};

}  // namespace qarn
