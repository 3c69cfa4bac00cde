#include "window/map_pick_tool.h"

#include "window/map_canvas.h"
#include "window/map_editor.h"

namespace qarn {

void PickTool::Release(const MapPointer& pointer) {
  if (canvas_.rect().contains(pointer.view)) editor_.Pick(canvas_.View().MapPixelAt(pointer.view));
}

void InsertTool::Release(const MapPointer& pointer) {
  if (!canvas_.rect().contains(pointer.view)) return;
  const QPoint pixel = canvas_.View().MapPixelAt(pointer.view);
  editor_.Guard([&] { editor_.InsertPoint(pixel); });
}

}  // namespace qarn
