#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>
#include <functional>
#include <optional>

#include "editing/path_set_document.h"

namespace qarn {

struct MapTransform;
class ViewTransform;

// A change a map tool has built from the pointer: what the status line says about it, what it
// does to the current object, or to every selected one (for the preview), and the command that
// makes it, as one undo step. A change that would do nothing has no command.
struct MapChange {
  QString hint;
  PathSetDocument::ObjectChange preview;
  std::function<void()> commit;
  bool wholeSelection = false;
};

// What the map's input tools ask of the editor. Positions are map pixels unless named otherwise.
// A tool previews, commits and cancels its changes through the document model, the one edit
// cycle; it keeps its own drag state.
class MapEditor {
 public:
  virtual ~MapEditor() = default;

  // The pointer is over this map pixel (empty: it left the map): status line and magnifier.
  virtual void PointerOver(std::optional<QPoint> pixel) = 0;
  // A click: the pixel's world position into the x and z fields.
  virtual void Pick(QPoint pixel) = 0;
  // Selects the object with a point nearest the view pixel, if one is near enough to count as
  // pointed at; false when none is.
  virtual bool SelectNear(QPoint viewPixel, const ViewTransform& view) = 0;
  // The world-to-map transform of the map shown.
  virtual const MapTransform& Transform() const = 0;
  virtual PathSetDocument& Editing() = 0;
  // Turning the current object to face the point (map pixels with fractions) as the rotation's
  // apply button would: it takes the lengths typed in the panel.
  virtual MapChange TurnTowards(QPointF point) = 0;
  // What a drag does, for the status line; empty when none is going on.
  virtual void ShowHint(const QString& hint) = 0;
  // Runs a command the way the window's buttons do: a failure shows one message.
  virtual void Guard(const std::function<void()>& command) = 0;
  // Point k of the current object becomes the point list's current row, marked on the map.
  virtual void ShowPoint(int k) = 0;
  // Inserts a point after the current point, at the map pixel's position when given, as one
  // command; it becomes the current point.
  virtual void InsertPoint(std::optional<QPoint> pixel) = 0;
};

}  // namespace qarn
