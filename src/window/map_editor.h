#pragma once

#include <QPoint>
#include <QPointF>
#include <optional>

namespace qarn {

class ViewTransform;

// What the map's input tools ask of the editor. Positions are map pixels unless named otherwise;
// every change of the document runs through the editor's one edit cycle.
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

  // A drag of the selected object's marks begins; the marks shown now come back on cancel.
  virtual void BeginPreview() = 0;
  virtual void CancelPreview() = 0;
  virtual void PreviewMove(QPoint offset) = 0;
  // Moves the selected object by the offset, as one command.
  virtual void FinishMove(QPoint offset) = 0;
  // `point` is the pointer in map pixels with fractions.
  virtual void PreviewTurn(QPointF point) = 0;
  // Turns the selected object to face the point, as one command.
  virtual void FinishTurn(QPointF point) = 0;
};

}  // namespace qarn
