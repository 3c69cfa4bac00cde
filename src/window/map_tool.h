#pragma once

#include <QCursor>
#include <QPoint>
#include <Qt>

namespace qarn {

// Where the pointer is: in view pixels of the map picture, and on the screen (panning moves the
// picture under the pointer, the screen stays).
struct MapPointer {
  QPoint view;
  QPoint screen;
  Qt::KeyboardModifiers modifiers;
};

// One way of taking hold of the map. The map picture picks a tool on a button press and hands it
// the pointer until the button is released or the user presses Escape.
class MapTool {
 public:
  virtual ~MapTool() = default;
  virtual void Move(const MapPointer& pointer) = 0;
  virtual void Release(const MapPointer& pointer) = 0;
  virtual void Cancel() = 0;
  // The pointer's shape while the tool holds the map.
  virtual QCursor Cursor() const = 0;
};

}  // namespace qarn
