#pragma once

#include <QPointer>
#include <QRubberBand>

#include "window/map_pick_tool.h"
#include "window/map_tool.h"

namespace qarn {

class MapCanvas;
class MapEditor;

// A press on the map away from the current object's handles. Until the pointer has moved the
// platform's drag distance it is a plain click, and its release picks the position; after that
// it draws a rubber band, and the release selects the objects with a point inside it: instead of
// the selection, with Shift in addition to it, with Ctrl toggled in it. Escape cancels the band.
class BandTool : public MapTool {
 public:
  BandTool(MapEditor& editor, MapCanvas& canvas, const MapPointer& press);
  ~BandTool() override;

  void Move(const MapPointer& pointer) override;
  void Release(const MapPointer& pointer) override;
  void Cancel() override;
  QCursor Cursor() const override { return Qt::CrossCursor; }

 private:
  QRect ViewArea(const MapPointer& pointer) const;
  void Select(const MapPointer& pointer);

  MapEditor& editor_;
  MapCanvas& canvas_;
  MapPointer press_;
  PickTool click_;
  QPointer<QRubberBand> band_;
  bool cancelled_ = false;
};

}  // namespace qarn
